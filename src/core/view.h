#pragma once

// Camera, projection and scene clock callbacks; the display callback that
// draws the scene is the application's (app/display.h).
void my_view();
void my_resize(int width, int height);
void handleTimer(int value);

constexpr double field_of_view = 65.0; // degrees, vertical; also used by the pick projection
