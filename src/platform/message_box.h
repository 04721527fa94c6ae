#pragma once

// The help box as the platform shows it.

// Notes where boxes are to open (on X11: the scene window's display). Called
// on the scene window's thread before the first box.
void note_message_box_place();

// A modal box with an information icon, the text, the title and one OK
// button, on the calling thread. Returns when the box is closed, or ends some
// other way; false at once if it could not be shown.
bool show_message_box(const char *text, const char *title);

// Why show_message_box could not show a box, in the platform's words: the
// help thread says it once on stderr.
extern const char message_box_failure[];

// Brings the open box to the front and gives it the focus, from the scene
// window's thread; nothing when no box is open.
void raise_message_box();
