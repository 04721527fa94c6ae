#include "platform/motion_events.h"

#include <GL/glx.h>
#include <X11/extensions/XI2.h>

namespace {

// The toolkit takes pointer motion as XInput 2 events where the server has
// them, as core events elsewhere.
bool is_motion(Display *display, const XEvent &event)
{
    static Display *asked = nullptr;
    static int xinput = -1; // the XInput extension's major opcode, -1 if the server has none
    if (display != asked) {
        int first_event, first_error;
        if (!XQueryExtension(display, "XInputExtension", &xinput, &first_event, &first_error))
            xinput = -1;
        asked = display;
    }
    return event.type == MotionNotify || (event.type == GenericEvent && event.xcookie.extension == xinput &&
                                          event.xcookie.evtype == XI_Motion);
}

} // namespace

bool later_motion_event_queued()
{
    // The toolkit's connection is the current GL context's; the help box has its own.
    Display *display = glXGetCurrentDisplay();
    if (display == nullptr || XEventsQueued(display, QueuedAfterReading) == 0)
        return false;
    // Only the next event: within a burst of motion it is motion, and a look
    // at it costs the same however long the queue has grown.
    XEvent next;
    XPeekEvent(display, &next);
    return is_motion(display, next);
}
