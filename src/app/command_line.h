#pragma once

// Answers "--help" and "--version" as a desktop program does, before anything
// opens a display. True if it answered; the program then ends with status 0.
// Every other argument is the toolkit's or ignored.
bool answer_help_or_version(int argc, char **argv);

// Whether the command line gives the window's size: a "-geometry" value with
// a width and a height ("900x600", "=900x600+0+0"), read as the toolkit reads
// it. Such a size is in the screen's pixels, as X11 programs take it; one
// with a place alone ("+0+0") leaves the size to the program.
bool command_line_sizes_window(int argc, char **argv);
