#include "platform/command_line_help.h"

// The toolkit's Windows port takes these three of its options; the others
// are about an X server.
const char toolkit_options_help[] =
    "  -geometry WxH+X+Y   size and place the window (900x600 without it)\n"
    "  -iconic             start with the window minimised\n"
    "  -gldebug            print OpenGL errors after each frame\n";

const char further_help[] =
    "Mouse, keys and menu: see README.txt beside schach3d.exe, or press h in the\n"
    "window for the key help in this console.\n";
