// The help box opens on the scene window's display, even when the display was
// given on the command line, on a connection of its own.
#include <GL/glx.h>

#include <cstring>

#include "platform/message_box.h"
#include "platform/x11/message_box.h"

namespace {
// Empty: $DISPLAY. Written before the help thread starts and only read by it
// afterwards; plain storage, so that nothing is destroyed under the thread
// when a quit key exits.
char box_display[256];
} // namespace

void note_message_box_place()
{
    // Only the name is read from the toolkit's connection, on its own thread.
    if (Display *scene_display = glXGetCurrentDisplay()) {
        const char *name = DisplayString(scene_display);
        if (std::strlen(name) < sizeof box_display) // a longer name: fall back on $DISPLAY
            std::strcpy(box_display, name);
    }
}

bool show_message_box(const char *text, const char *title)
{
    return show_message_box(box_display[0] == '\0' ? nullptr : box_display, text, title);
}

const char message_box_failure[] = "cannot open an X display for the help box";
