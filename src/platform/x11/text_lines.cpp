#include "platform/x11/text_lines.h"

namespace {
constexpr std::size_t tab_width = 8;

// The characters of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char32_t windows1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
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

std::string windows1252_to_utf8(const std::string &text)
{
    std::string out;
    for (const char byte : text) {
        const auto b = static_cast<unsigned char>(byte);
        const char32_t c = b >= 0x80 && b < 0xA0 ? windows1252_high[b - 0x80] : b;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
