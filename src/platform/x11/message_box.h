#pragma once

#include <cstdint>

#include "platform/x11/screen_resolution.h"

// Where a box opens and how it is told to come forward.
struct BoxPlace {
    const char *display_name = nullptr; // null: $DISPLAY
    // The scene window: the box is its transient and opens centred on it, on
    // its monitor. 0: no such window, the box opens centred on the screen.
    uint32_t owner = 0;
    // Readable (an eventfd) when the box is to be raised and given the
    // focus; the box reads it empty then. -1: never.
    int raise_fd = -1;
    double dpi = normal_dpi; // the screen's resolution, which the box is drawn at
};

// A modal box with an information icon, the text and one OK button, on an
// X connection of its own. Returns when the person closes it, another client
// destroys it or its connection is lost; returns false at once if no display
// could be opened. Blocks SIGPIPE on the calling thread for good.
bool show_message_box(const BoxPlace &place, const char *text, const char *title);
