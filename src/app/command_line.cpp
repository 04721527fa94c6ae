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

// XParseGeometry's reading of a number: a sign, then digits; false if it
// read nothing at all.
bool read_number(const char *&at)
{
    const char *from = at;
    if (*at == '+' || *at == '-')
        ++at;
    while (*at >= '0' && *at <= '9')
        ++at;
    return at != from;
}

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

bool command_line_sizes_window(int argc, char **argv)
{
    // "[=][WIDTH][{xX}HEIGHT][{+-}X[{+-}Y]]", as XParseGeometry reads it:
    // anything else is no geometry at all.
    const char *at = toolkit_option_value(argc, argv, "-geometry");
    if (at == nullptr)
        return false;
    if (*at == '=')
        ++at;
    bool width = false, height = false;
    if (*at != '+' && *at != '-' && *at != 'x') {
        if (!read_number(at))
            return false;
        width = true;
    }
    if (*at == 'x' || *at == 'X') {
        ++at;
        if (!read_number(at))
            return false;
        height = true;
    }
    for (int offset = 0; offset < 2 && (*at == '+' || *at == '-'); ++offset) {
        ++at; // past the offset's side; a sign of the number's own may follow
        if (!read_number(at))
            return false;
    }
    return *at == '\0' && width && height;
}
