#include "platform/console.h"

#include <windows.h>

#include <cstdlib>

namespace {

UINT code_page_before = 0;

// A console that the program shares (with cmd, say) keeps its own code page
// when the program is gone.
void restore_code_page() { SetConsoleOutputCP(code_page_before); }

} // namespace

void prepare_console()
{
    // Only a console has a code page; a file or a pipe gets the bytes as they are.
    constexpr UINT windows_1252 = 1252;
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode))
        return;
    code_page_before = GetConsoleOutputCP();
    if (code_page_before != windows_1252 && SetConsoleOutputCP(windows_1252))
        std::atexit(restore_code_page);
}
