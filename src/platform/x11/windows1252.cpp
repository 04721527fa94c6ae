#include "platform/x11/windows1252.h"

namespace {

// Unicode for the bytes 0x80 to 0x9F; 0 where the code page leaves a byte
// unassigned. From 0xA0 on it agrees with Unicode (Latin-1).
constexpr unsigned short high_controls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
constexpr unsigned replacement = 0xFFFD;

} // namespace

char *append_utf8(unsigned char byte, char *out)
{
    unsigned code = byte;
    if (byte >= 0x80 && byte < 0xA0)
        code = high_controls[byte - 0x80] != 0 ? high_controls[byte - 0x80] : replacement;
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | code >> 6);
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | code >> 12);
        *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

std::string windows1252_to_utf8(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (const char byte : text) {
        char utf8[3];
        out.append(utf8, append_utf8(static_cast<unsigned char>(byte), utf8));
    }
    return out;
}
