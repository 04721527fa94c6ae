#pragma once

// What the platform needs around the toolkit's start.

// Before glutInit, first thing in the program. False, after saying why on
// stderr, if the program can have no window, so that it ends with a plain
// message rather than the toolkit's.
bool platform_before_toolkit(int argc, char **argv);

// Right after glutInit.
void platform_toolkit_started();
