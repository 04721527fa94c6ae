#pragma once

// An OpenGL ES 3 context with a width x height pbuffer (RGBA 8, depth 24)
// on Mesa's surfaceless EGL platform: no X display needed. Made current on
// the calling thread; false (and a line on stderr) when none can be had.
bool make_es_context(int width, int height);
