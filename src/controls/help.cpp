// Placeholder: replaced by the controls work.
#include "controls/help.h"

const char *help_title = "Velmora: Tavolin";
const char *help_text = "";
std::atomic<int> show_help{0};
std::atomic<int> help_is_running{0};
void help() {}
void display_help() {}
void display_help_via_message_box() {}
void *HelpThreadProc(void *) { return nullptr; }
