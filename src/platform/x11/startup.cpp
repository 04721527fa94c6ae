#include "platform/startup.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/x11/screen_resolution.h"

namespace {

// Held open from the check until the toolkit has its own connection.
Display *probe = nullptr;

} // namespace

bool platform_before_toolkit(int argc, char **argv)
{
    // Xlib is safe for more than one thread only when this comes before any
    // other Xlib call; the help box's thread talks to the server through XCB.
    XInitThreads();

    // Say plainly why there is no window instead of leaving it to the toolkit,
    // on the display the toolkit will use (null: $DISPLAY).
    const char *name = toolkit_option_value(argc, argv, "-display");
    probe = XOpenDisplay(name);
    if (probe == nullptr) {
        // Xlib takes an empty name as none, as it does an empty $DISPLAY.
        const char *shown = name != nullptr && *name != '\0' ? name : std::getenv("DISPLAY");
        if (shown == nullptr || *shown == '\0')
            std::fputs("schach3d: DISPLAY is not set; the window needs an X display (on Wayland: Xwayland)\n",
                       stderr);
        else
            std::fprintf(stderr, "schach3d: cannot open the X display \"%s\"\n", shown);
        return false;
    }
    // Xlib has read the resources as it connected.
    const char *resources = XResourceManagerString(probe);
    note_screen_dpi(resource_dpi(resources != nullptr ? resources : ""));
    return true;
}

// The window shows once the event loop runs; until then it just waits.
bool platform_start_may_wait() { return true; }

void platform_toolkit_started(bool window_size_given)
{
    // Closed only now: an X server whose last client leaves resets itself and
    // would turn the toolkit's own connection away meanwhile.
    XCloseDisplay(probe);
    probe = nullptr;

    // The start size times the exact scale, rounded only at the end, as the
    // Windows program sizes its window: 1800x1200 at 192 dpi, 1125x750 at
    // 120 (125 %), so that the window covers the same share of the screen at
    // any scale and on either platform.
    const double scale = screen_dpi() / normal_dpi;
    if (!window_size_given && scale != 1)
        glutInitWindowSize(static_cast<int>(std::lround(glutGet(GLUT_INIT_WINDOW_WIDTH) * scale)),
                           static_cast<int>(std::lround(glutGet(GLUT_INIT_WINDOW_HEIGHT) * scale)));
}
