#include "platform/startup.h"

// The page is the display, and it is there before the program runs.
bool platform_before_toolkit(int, char **) { return true; }

void platform_toolkit_started() {}
