#pragma once

// A modal box with an information icon, the text and one OK button, on an
// X connection of its own to the named display (null: $DISPLAY).
// Returns when the person closes it, another client destroys it or its
// connection is lost; returns false at once if no display could be opened.
// Blocks SIGPIPE on the calling thread for good.
bool show_message_box(const char *display_name, const char *text, const char *title);
