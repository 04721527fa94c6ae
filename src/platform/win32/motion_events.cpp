#include "platform/motion_events.h"

#include <windows.h>

bool later_motion_event_queued()
{
    // The scene window's messages arrive on this thread's queue; Windows keeps
    // at most one pointer motion waiting there, the latest. Only one with a
    // button held is a drag that will pick in its turn: Windows also makes
    // motion of its own accord, when a window appears under the pointer.
    MSG next;
    return PeekMessageA(&next, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE) != 0 &&
           (next.wParam & (MK_LBUTTON | MK_MBUTTON | MK_RBUTTON)) != 0;
}
