#pragma once

#include <string>
#include <vector>

// The lines of a message text as a box shows them: split at line feeds, tabs
// expanded to the next stop of every eight columns, a final line feed closing
// the last line rather than opening an empty one. Bytes are kept as they are.
std::vector<std::string> message_text_lines(const char *text);
