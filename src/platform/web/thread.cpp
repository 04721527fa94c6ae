// A page without cross-origin isolation has no shared memory, so WebAssembly
// has no threads there. A thread here is a stack of its own that Asyncify
// unwinds whenever it waits (a sleep, a box that is open) and rewinds when the
// wait is over, while the page's events run the rest of the program in
// between. Only such threads may wait: the event callbacks never do.
#include "platform/thread.h"

#include "platform/web/page.h"

bool start_thread(ThreadProc proc)
{
    // It starts from the page's event loop, once the caller has returned.
    web_thread_start(proc);
    return true;
}

void sleep_milliseconds(unsigned milliseconds)
{
    web_thread_sleep(milliseconds);
}

void web_thread_run(ThreadProc proc)
{
    proc(nullptr);
}
