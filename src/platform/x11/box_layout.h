#pragma once

#include <vector>

// Where the parts of the X11 help box go. Everything is in pixels of a screen
// of the given scale: its resolution over 96 dpi, the resolution the box's
// proportions are drawn for.

struct BoxRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const BoxRect &) const = default;
};

struct BoxLayout {
    int width = 0, height = 0;
    BoxRect icon;
    BoxRect text;      // the text block, from its first line down
    int strip_top = 0; // the grey strip with the button, to the bottom
    BoxRect button;
    int frame_width = 0; // of the button's frame, and of the focus frame's dashes
};

// The box around a text block and the button's label of the given sizes (as
// the font draws them at this scale), cut to at most max_width by max_height:
// then the button keeps its place at the bottom right, and the text shows the
// lines that fit above the strip.
BoxLayout lay_out_box(double scale, int text_width, int text_height, int label_width, int label_height,
                      int max_width, int max_height);

// The monitor that holds the centre of the owner window: the first of the
// monitors that does, else the first of them, else the screen.
BoxRect monitor_of(const BoxRect &owner, const std::vector<BoxRect> &monitors, const BoxRect &screen);

// The top left corner of a box of this size, centred on the owner and then
// moved into the monitor as far as it fits.
BoxRect place_box(const BoxRect &owner, const BoxRect &monitor, int width, int height);

