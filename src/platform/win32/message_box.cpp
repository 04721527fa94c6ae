#include "platform/message_box.h"

#include <windows.h>

#include <atomic>

namespace {
// The help thread's id while its box is open, else 0.
std::atomic<DWORD> box_thread{0};

// The box among the thread's windows: a dialog of Windows' own class.
BOOL CALLBACK find_box(HWND window, LPARAM found)
{
    char name[8];
    if (GetClassNameA(window, name, sizeof name) == 0 || lstrcmpA(name, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
}
} // namespace

// Windows' own box needs to know nothing of the scene window: it has no owner,
// which would freeze the scene while the box is open.
void note_message_box_place() {}

bool show_message_box(const char *text, const char *title)
{
    box_thread = GetCurrentThreadId();
    // The texts are Windows-1252 bytes, as the ANSI box takes them.
    const bool shown = MessageBoxA(nullptr, text, title, MB_ICONINFORMATION) != 0;
    box_thread = 0;
    return shown;
}

void raise_message_box()
{
    const DWORD thread = box_thread;
    HWND box = nullptr;
    if (thread == 0)
        return;
    EnumThreadWindows(thread, find_box, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr)
        return; // not shown yet, or just closed
    // The scene's process has the foreground (the key came to it), so it may
    // hand the foreground on to its own box; the box also goes to the top of
    // the windows, where wine restacks it even when the focus stays put.
    if (IsIconic(box))
        ShowWindow(box, SW_RESTORE);
    BringWindowToTop(box);
    SetForegroundWindow(box);
}

const char message_box_failure[] = "Windows could not show the help box";
