#pragma once

// What the controls and help tests look at besides the running program: the
// help box, its OK button, the console texts, and pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/help.h"
#include "harness.h"

namespace controls_e2e {

inline const char *const box_title_regex = "^Velmora: Tavolin$";

// The console key help as this build prints it (its bytes are checked by the unit tests).
inline std::string key_help_bytes()
{
    testing::internal::CaptureStdout();
    help();
    return testing::internal::GetCapturedStdout();
}

inline std::string box_text_bytes() { return std::string("\n") + help_title + "\n" + help_text; }

// The program running, with what the help tests look for: the help box.
class Scene : public e2e::Session {
public:
    using e2e::Session::Session;
    std::vector<std::string> boxes() { return e2e::find_windows(display(), box_title_regex); }
    std::string wait_for_box(double timeout_s) { return e2e::wait_for_window(display(), box_title_regex, timeout_s); }
    bool wait_no_box(double timeout_s)
    {
        return e2e::poll_until([&] { return boxes().empty(); }, timeout_s, 0.05);
    }
};

// A rectangle in screen coordinates.
struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

inline Rect rect_of(const e2e::Geometry &g) { return {g.x, g.y, g.width, g.height}; }

// The box's OK button: the frame drawn in the default-button blue, found in a screenshot.
inline Rect find_ok_button(const e2e::Image &shot, const Rect &box)
{
    const std::array<int, 3> frame = {0x00, 0x78, 0xD7};
    int left = box.x + box.width, top = box.y + box.height, right = -1, bottom = -1;
    for (int y = std::max(box.y, 0); y < std::min(box.y + box.height, shot.height); ++y)
        for (int x = std::max(box.x, 0); x < std::min(box.x + box.width, shot.width); ++x)
            if (shot.at(x, y) == frame) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

// Pixels inside `inside` and outside `outside` where two screenshots differ by
// more than `tolerance` in some colour channel.
inline int changed_pixels(const e2e::Image &a, const e2e::Image &b, const Rect &inside, const Rect &outside = {},
                          int tolerance = 0)
{
    int changed = 0;
    for (int y = std::max(inside.y, 0); y < std::min(inside.y + inside.height, a.height); ++y)
        for (int x = std::max(inside.x, 0); x < std::min(inside.x + inside.width, a.width); ++x) {
            if (outside.contains(x, y))
                continue;
            const std::array<int, 3> p = a.at(x, y), q = b.at(x, y);
            for (int c = 0; c < 3; ++c)
                if (std::abs(p[c] - q[c]) > tolerance) {
                    ++changed;
                    break;
                }
        }
    return changed;
}

} // namespace controls_e2e
