#include "platform/message_box.h"

#include <windows.h>

// Windows' own box needs to know nothing of the scene window: it has no owner.
void note_message_box_place() {}

bool show_message_box(const char *text, const char *title)
{
    // The texts are Windows-1252 bytes, as the ANSI box takes them.
    return MessageBoxA(nullptr, text, title, MB_ICONINFORMATION) != 0;
}

const char message_box_failure[] = "Windows could not show the help box";
