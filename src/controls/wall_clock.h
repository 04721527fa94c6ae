#pragma once

// Seconds since local midnight.
int getTime();

// Where uhrzeit reads the time; tests put a clock of their own here.
extern int (*wall_clock_source)();

// Prints the local time, waits for the next second and prints it again.
int uhrzeit();

// The same two lines, but the second comes from the toolkit's timer at the
// next change of the second, while the caller goes on.
void uhrzeit_without_waiting();
