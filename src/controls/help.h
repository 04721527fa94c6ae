#pragma once

#include <atomic>

#include "platform/thread.h"

extern const char *help_title;
extern const char *help_text;
extern std::atomic<int> show_help;       // a showing of the box was asked for and not yet taken up
extern std::atomic<int> help_is_running; // the help thread exists

void help();
void display_help();
void display_help_via_message_box();
ThreadResult HelpThreadProc(void *parameter); // never returns

// How the help thread shows the box (the platform's message box unless a test
// puts its own here). Returns when the box is closed; false if it could not be shown.
extern bool (*help_message_box)(const char *text, const char *title);
