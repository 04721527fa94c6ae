#include "platform/command_line_help.h"

const char toolkit_options_help[] =
    "  -display DISPLAY    open the window on DISPLAY instead of $DISPLAY\n"
    "  -geometry WxH+X+Y   size and place the window (900x600 without it)\n"
    "  -iconic             start with the window iconified\n"
    "  -direct, -indirect  insist on direct rendering, or render through the X server\n"
    "  -gldebug            print OpenGL errors after each frame\n"
    "  -sync               talk to the X server synchronously\n";

const char further_help[] = "Mouse, keys and menu: see \"man schach3d\", or press h in the window.\n";
