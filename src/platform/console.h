#pragma once

// The console texts are Windows-1252 bytes. Where a person reads them, in a
// terminal or a console window, the platform makes it show them as the
// letters they are; written to a file or a pipe they stay byte for byte.
// First thing in the program, before anything is printed.
void prepare_console();
