#pragma once

#include <cstring>

// What the platform needs around the toolkit's start.

// The toolkit's options that take the next argument as their value, whatever
// it is ("-geometry --help" gives the window the geometry "--help").
inline bool toolkit_option_takes_value(const char *argument)
{
    return std::strcmp(argument, "-display") == 0 || std::strcmp(argument, "-geometry") == 0;
}

// Before glutInit, first thing in the program. False, after saying why on
// stderr, if the program can have no window, so that it ends with a plain
// message rather than the toolkit's.
bool platform_before_toolkit(int argc, char **argv);

// Right after glutInit, before the window is made.
void platform_toolkit_started();

// Right after glutCreateWindow, while the window's GL context is current:
// tells the desktop whose window it is.
void platform_window_created();

// Whether start-up may keep the program's thread waiting, up to a second, for
// the wall clock's second line before the window draws.
bool platform_start_may_wait();
