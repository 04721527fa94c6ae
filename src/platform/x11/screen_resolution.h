#pragma once

#include <string_view>

// The screen's resolution as the desktop publishes it for its scale: the X
// resource "Xft.dpi" (200 % is 192 dpi). The scene window's start size and
// the help box's proportions are given for 96 dpi and grow with it.
constexpr double normal_dpi = 96;

// The resolution in the X resources (the root window's RESOURCE_MANAGER
// text): its "Xft.dpi", else 96.
double resource_dpi(std::string_view resources);

// The display's resolution, read from its resources once at start-up, so
// that the scene window and every help box agree on it; 96 until then.
double screen_dpi();
void note_screen_dpi(double dpi);
