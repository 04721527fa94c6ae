#include "platform/motion_events.h"

#include <windows.h>

bool later_motion_event_queued()
{
    // The scene window's messages arrive on this thread's queue; Windows keeps
    // at most one pointer motion waiting there, the latest.
    MSG next;
    return PeekMessageA(&next, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE) != 0;
}
