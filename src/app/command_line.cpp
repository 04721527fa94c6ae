#include "app/command_line.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "platform/command_line_help.h"
#include "platform/startup.h"

namespace {

const char usage_head[] =
    "Usage: schach3d [OPTION]...\n"
    "An interactive three-dimensional chess scene.\n"
    "\n"
    "The window toolkit (freeglut) takes these options; other arguments are ignored:\n";
const char usage_own_options[] =
    "\n"
    "  --help              print this help and exit\n"
    "  --version           print the version and exit\n"
    "\n";

} // namespace

bool answer_help_or_version(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (toolkit_option_takes_value(argv[i])) {
            ++i;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            for (const char *part : {usage_head, toolkit_options_help, usage_own_options, further_help})
                std::fputs(part, stdout);
            return true;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("schach3d " SCHACH3D_VERSION);
            return true;
        }
    }
    return false;
}
