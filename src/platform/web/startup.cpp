#include "platform/startup.h"

// The page is the display, and it is there before the program runs.
bool platform_before_toolkit(int, char **) { return true; }

// The page sizes the canvas in CSS pixels and draws it at the screen's pixel ratio.
void platform_toolkit_started(bool) {}

// The page names the program and shows its icon (index.html).
void platform_window_created() {}

// The page's one thread would freeze it, and the scene would show a second
// later: the wall clock's second line comes from a timer instead.
bool platform_start_may_wait() { return false; }
