#pragma once

// Camera, projection, display and scene clock callbacks.
void my_view();
void my_resize(int width, int height);
void my_draw();
// One frame into the back buffer, without the swap: what my_draw shows.
void draw_frame();
void handleTimer(int value);

constexpr double field_of_view = 65.0; // degrees, vertical; also used by the pick projection
