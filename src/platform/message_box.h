#pragma once

// A modal box with an information icon, the text and one OK button, on a
// display connection of its own to the named display (null: $DISPLAY).
// Returns when the person closes it; returns false at once if no display could
// be opened.
bool show_message_box(const char *display_name, const char *text, const char *title);
