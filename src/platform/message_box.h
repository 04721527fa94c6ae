#pragma once

// A modal box with an information icon, the text and one OK button, on a
// display connection of its own. Returns when the person closes it; returns
// false at once if no display could be opened.
bool show_message_box(const char *text, const char *title);

// The same on the named display; a null name means $DISPLAY.
bool show_message_box_on(const char *display_name, const char *text, const char *title);
