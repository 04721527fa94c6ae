// What the desktop learns about the scene window: which program it belongs
// to (its class, matched against StartupWMClass of the menu entry), its icon
// and its process. The toolkit sets none of it without a window manager and
// never the first two. It maps the window inside glutCreateWindow, so the
// class comes after the first map: taskbars follow it, rules that a window
// manager matches only at the first map do not see it.
#include "platform/startup.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <vector>

#include "window_icon.h"

namespace {

// Xlib takes the items of a 32-bit property as longs, whatever their size.
void set_cardinals(Display *display, Window window, const char *property, const std::vector<long> &values)
{
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(values.data()), static_cast<int>(values.size()));
}

} // namespace

void platform_window_created()
{
    // The toolkit's window is the drawable of the GL context that it has just
    // made current, on the toolkit's own connection.
    Display *display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None)
        return;

    char name[] = "schach3d";
    XClassHint class_hint{name, name};
    XSetClassHint(display, window, &class_hint);
    set_cardinals(display, window, "_NET_WM_ICON",
                  std::vector<long>(window_icon, window_icon + window_icon_cardinals));
    set_cardinals(display, window, "_NET_WM_PID", {static_cast<long>(getpid())});
    XFlush(display);
}
