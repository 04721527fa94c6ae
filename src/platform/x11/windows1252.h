#pragma once

#include <string>

// The program's texts are Windows-1252 bytes; a UTF-8 terminal, the font
// stack and the window manager's title want UTF-8.

// Appends the UTF-8 form of one byte at out (at most three bytes) and returns
// the new end. The five bytes that the code page leaves unassigned become
// U+FFFD: passed on as the control characters of the same number, one of them
// would start an escape sequence in a terminal.
char *append_utf8(unsigned char byte, char *out);

std::string windows1252_to_utf8(const std::string &text);
