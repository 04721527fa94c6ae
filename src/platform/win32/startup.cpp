#include "platform/startup.h"

// Windows has no display to look for and no Xlib to prepare: the toolkit says
// itself if it cannot make a window.
bool platform_before_toolkit(int, char **)
{
    return true;
}

void platform_toolkit_started() {}
