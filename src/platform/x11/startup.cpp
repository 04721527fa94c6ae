#include "platform/startup.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Held open from the check until the toolkit has its own connection.
Display *probe = nullptr;

// The display the toolkit will use, read from the command line as glutInit
// reads it: the last "-display" counts. Null: $DISPLAY.
const char *requested_display(int argc, char **argv)
{
    const char *name = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (toolkit_option_takes_value(argv[i])) {
            if (std::strcmp(argv[i], "-display") == 0)
                name = argv[i + 1];
            ++i;
        }
    }
    return name;
}

} // namespace

bool platform_before_toolkit(int argc, char **argv)
{
    // Xlib is safe for more than one thread only when this comes before any
    // other Xlib call; the help box's thread talks to the server through XCB.
    XInitThreads();

    // Say plainly why there is no window instead of leaving it to the toolkit.
    const char *name = requested_display(argc, argv);
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
    return true;
}

// The window shows once the event loop runs; until then it just waits.
bool platform_start_may_wait() { return true; }

void platform_toolkit_started()
{
    // Closed only now: an X server whose last client leaves resets itself and
    // would turn the toolkit's own connection away meanwhile.
    XCloseDisplay(probe);
    probe = nullptr;
}
