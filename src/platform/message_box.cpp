// Placeholder: replaced by the controls work.
#include "platform/message_box.h"

bool show_message_box(const char *, const char *) { return false; }
