#pragma once

#include <cstring>

// What the platform needs around the toolkit's start.

// The toolkit's options that take the next argument as their value, whatever
// it is ("-geometry --help" gives the window the geometry "--help").
inline bool toolkit_option_takes_value(const char *argument)
{
    return std::strcmp(argument, "-display") == 0 || std::strcmp(argument, "-geometry") == 0;
}

// The value the toolkit takes for one of those options: the last one given
// counts, as glutInit reads the command line. Null: the option is not there.
inline const char *toolkit_option_value(int argc, char **argv, const char *option)
{
    const char *value = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (toolkit_option_takes_value(argv[i])) {
            if (std::strcmp(argv[i], option) == 0)
                value = argv[i + 1];
            ++i;
        }
    }
    return value;
}

// Before glutInit, first thing in the program. False, after saying why on
// stderr, if the program can have no window, so that it ends with a plain
// message rather than the toolkit's.
bool platform_before_toolkit(int argc, char **argv);

// Right after glutInit, before the window is made. Unless the command line
// gave the window's size, which is in the screen's pixels, the platform
// scales the start size by the screen's resolution over 96 dpi, so that the
// window covers as much of the screen as on a 96-dpi one.
void platform_toolkit_started(bool window_size_given);

// Right after glutCreateWindow, on the thread that runs the event loop, while
// the window's GL context is current: tells the desktop whose window it is,
// and sets up what the platform needs around the window's input.
void platform_window_created();

// Whether start-up may keep the program's thread waiting, up to a second, for
// the wall clock's second line before the window draws.
bool platform_start_may_wait();
