#include "platform/thread.h"

#include <windows.h>

bool start_thread(ThreadProc proc)
{
    // Default security and stack size, no parameter, no thread id asked for;
    // the handle is not kept: the thread lives until the process ends.
    return CreateThread(nullptr, 0, proc, nullptr, 0, nullptr) != nullptr;
}

void sleep_milliseconds(unsigned milliseconds)
{
    Sleep(milliseconds);
}
