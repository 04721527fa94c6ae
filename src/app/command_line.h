#pragma once

// Answers "--help" and "--version" as a desktop program does, before anything
// opens a display. True if it answered; the program then ends with status 0.
// Every other argument is the toolkit's or ignored.
bool answer_help_or_version(int argc, char **argv);
