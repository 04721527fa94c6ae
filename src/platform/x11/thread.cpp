#include "platform/thread.h"

#include <pthread.h>

#include <chrono>
#include <thread>

bool start_thread(ThreadProc proc)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    pthread_t thread;
    const bool started = pthread_create(&thread, &attributes, proc, nullptr) == 0;
    pthread_attr_destroy(&attributes);
    return started;
}

void sleep_milliseconds(unsigned milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
