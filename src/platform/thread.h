#pragma once

#include "thread_result.h" // the platform's: what a thread procedure returns

using ThreadProc = ThreadResult (*)(void *parameter);

// Runs proc on a new thread of its own, without a parameter; nobody waits for
// it. False if no thread could be started.
bool start_thread(ThreadProc proc);

// Pauses the calling thread.
void sleep_milliseconds(unsigned milliseconds);
