// The help box opens on the scene window's display, even when the display was
// given on the command line, on a connection of its own, as the scene
// window's transient. The scene's thread asks it forward through an eventfd
// that the box's thread polls beside its connection.
#include <GL/glx.h>
#include <sys/eventfd.h>

#include <atomic>
#include <cstring>

#include "platform/message_box.h"
#include "platform/x11/message_box.h"

namespace {
// Written before the help thread starts and only read by it afterwards;
// plain storage, so that nothing is destroyed under the thread when a quit
// key exits. An empty name: $DISPLAY.
char box_display[256];
BoxPlace place;
std::atomic<bool> box_open{false};
} // namespace

void note_message_box_place()
{
    // Only the name and the window are read from the toolkit's connection, on its own thread.
    if (Display *scene_display = glXGetCurrentDisplay()) {
        const char *name = DisplayString(scene_display);
        if (std::strlen(name) < sizeof box_display) { // a longer name: fall back on $DISPLAY
            std::strcpy(box_display, name);
            place.display_name = box_display;
            place.owner = static_cast<uint32_t>(glXGetCurrentDrawable()); // the toolkit draws into its window
        }
    }
    place.dpi = screen_dpi();
    if (place.raise_fd < 0)
        place.raise_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

bool show_message_box(const char *text, const char *title)
{
    box_open = true;
    const bool shown = show_message_box(place, text, title);
    box_open = false;
    return shown;
}

void raise_message_box()
{
    // A request that comes as the box closes raises the next box as it opens: no harm.
    if (box_open && place.raise_fd >= 0)
        eventfd_write(place.raise_fd, 1);
}

const char message_box_failure[] = "cannot open an X display for the help box";
