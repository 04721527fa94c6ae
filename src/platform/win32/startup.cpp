#include "platform/startup.h"

#include <cstdlib>

#include "platform/win32/key_repeats.h"

bool platform_before_toolkit(int, char **)
{
    // Windows itself has no use for DISPLAY, but the toolkit would take one
    // (set for an X server, say) as the name of a monitor, fail to find it and
    // warn about screen sizes: there is only Windows' own display here.
    _putenv("DISPLAY=");
    return true;
}

// The window shows once the event loop runs; until then it just waits.
bool platform_start_may_wait() { return true; }

// The window's icon is the exe's own (GLUT_ICON in its resources), and the
// taskbar knows the program by its exe. This is the thread that will run
// the event loop, the one whose key messages the hook is to see.
void platform_window_created() { keep_out_repeats_of_presses_elsewhere(); }
