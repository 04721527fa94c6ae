#include "platform/message_box.h"

#include "platform/web/page.h"

// The box is a dialog inside the scene's element, which page_box.js centres it on:
// there is nothing to note.
void note_message_box_place() {}

// The page always has its dialog.
const char message_box_failure[] = "the page could not show its help box";

// The dialog lies over the scene already: it takes the focus.
void raise_message_box() { web_box_raise(); }

bool show_message_box(const char *text, const char *title)
{
    // Waits for the dialog to close; only a thread of thread.cpp may do that.
    web_box_show(text, title);
    return true;
}
