#pragma once

// Seconds since local midnight.
int getTime();

// Where uhrzeit reads the time; tests put a clock of their own here.
extern int (*wall_clock_source)();

// Prints the local time, waits for the next second and prints it again.
int uhrzeit();
