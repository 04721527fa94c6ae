#include "platform/x11/text_lines.h"

namespace {
constexpr std::size_t tab_width = 8;
} // namespace

std::vector<std::string> message_text_lines(const char *text)
{
    std::vector<std::string> lines(1);
    for (const char *p = text; *p != '\0'; ++p) {
        std::string &line = lines.back();
        if (*p == '\n') {
            if (p[1] != '\0')
                lines.emplace_back();
        } else if (*p == '\t') {
            line.append(tab_width - line.size() % tab_width, ' ');
        } else {
            line += *p;
        }
    }
    return lines;
}
