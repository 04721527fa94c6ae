#pragma once

#include <string>
#include <vector>

// The lines of a message text as a box shows them: split at line feeds, tabs
// expanded to the next stop of every eight columns, a final line feed closing
// the last line rather than opening an empty one. Bytes are kept as they are.
std::vector<std::string> message_text_lines(const char *text);

// Windows-1252 text as UTF-8, for the font stack and the window manager's
// title. The five bytes that the code page leaves unassigned stand for the
// control characters of the same number, as Windows converts them.
std::string windows1252_to_utf8(const std::string &text);
