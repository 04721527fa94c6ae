#include "platform/console.h"

#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "platform/x11/windows1252.h"

namespace {

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
