#include "platform/console.h"

#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

// Unicode for the bytes 0x80 to 0x9F of Windows-1252; 0 where the code page
// leaves a byte unassigned. From 0xA0 on it agrees with Unicode.
constexpr unsigned short high_controls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
constexpr unsigned replacement = 0xFFFD;

// Appends the UTF-8 form of one Windows-1252 byte; returns the new end.
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

bool write_all(const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The write function of the stream that stands in for stdout: whatever the
// stream's buffer hands over goes out converted, a chunk at a time.
ssize_t write_converted(void *, const char *data, size_t size)
{
    char converted[768];
    size_t done = 0;
    while (done < size) {
        char *end = converted;
        while (done < size && end + 3 <= converted + sizeof converted)
            end = append_utf8(static_cast<unsigned char>(data[done++]), end);
        if (!write_all(converted, static_cast<size_t>(end - converted)))
            return -1;
    }
    return static_cast<ssize_t>(size);
}

// Whether the locale the person has chosen writes UTF-8. LC_CTYPE is set back
// afterwards: nothing else in the program is to read its texts differently.
bool locale_writes_utf8()
{
    if (std::setlocale(LC_CTYPE, "") == nullptr)
        return false;
    const bool utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    std::setlocale(LC_CTYPE, "C");
    return utf8;
}

} // namespace

void prepare_console()
{
    // A file or a pipe gets the bytes as they are: the programs and people
    // that read the output there rely on them.
    if (!::isatty(STDOUT_FILENO) || !locale_writes_utf8())
        return;
    FILE *converting = fopencookie(nullptr, "w", cookie_io_functions_t{nullptr, write_converted, nullptr, nullptr});
    if (converting == nullptr)
        return;
    // Line buffered, as stdout on a terminal is; the program flushes after
    // each burst of output anyway, since its lines begin with "\n".
    std::setvbuf(converting, nullptr, _IOLBF, BUFSIZ);
    stdout = converting;
}
