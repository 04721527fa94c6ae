#pragma once

// The two toolkit calls that callbacks make outside of drawing. They go through
// these pointers so that tests without a window can watch them.
extern void (*post_redisplay)();
extern void (*set_window_title)(const char *title);
