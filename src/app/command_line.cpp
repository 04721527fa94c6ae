#include "app/command_line.h"

#include <cstdio>
#include <cstring>

#include "platform/startup.h"

namespace {

const char usage[] =
    "Usage: schach3d [OPTION]...\n"
    "An interactive three-dimensional chess scene.\n"
    "\n"
    "The window toolkit (freeglut) takes these options; other arguments are ignored:\n"
    "  -display DISPLAY    open the window on DISPLAY instead of $DISPLAY\n"
    "  -geometry WxH+X+Y   size and place the window (900x600 without it)\n"
    "  -iconic             start with the window iconified\n"
    "  -direct, -indirect  insist on direct rendering, or render through the X server\n"
    "  -gldebug            print OpenGL errors after each frame\n"
    "  -sync               talk to the X server synchronously\n"
    "\n"
    "  --help              print this help and exit\n"
    "  --version           print the version and exit\n"
    "\n"
    "Mouse, keys and menu: see \"man schach3d\", or press h in the window.\n";

} // namespace

bool answer_help_or_version(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (toolkit_option_takes_value(argv[i])) {
            ++i;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(usage, stdout);
            return true;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("schach3d " SCHACH3D_VERSION);
            return true;
        }
    }
    return false;
}
