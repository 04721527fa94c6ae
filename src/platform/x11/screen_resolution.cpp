#include "platform/x11/screen_resolution.h"

#include <cstdlib>
#include <string>

namespace {

// Written at start-up, before the help thread starts, and only read afterwards.
double display_dpi = normal_dpi;

} // namespace

double resource_dpi(std::string_view resources)
{
    constexpr std::string_view key = "Xft.dpi:";
    for (size_t at = 0; at < resources.size();) {
        size_t end = resources.find('\n', at);
        if (end == std::string_view::npos)
            end = resources.size();
        const std::string_view line = resources.substr(at, end - at);
        if (line.substr(0, key.size()) == key) {
            const std::string value(line.substr(key.size()));
            char *rest = nullptr;
            const double dpi = std::strtod(value.c_str(), &rest);
            if (rest != value.c_str() && dpi > 0 && dpi < 10000)
                return dpi;
        }
        at = end + 1;
    }
    return normal_dpi;
}

double screen_dpi() { return display_dpi; }

void note_screen_dpi(double dpi) { display_dpi = dpi; }
