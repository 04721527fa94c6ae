#include "platform/x11/box_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// At 96 dpi.
constexpr int margin = 16;
constexpr int icon_size = 32;
constexpr int icon_gap = 14;
constexpr int min_button_width = 80;
constexpr int button_padding = 8;
constexpr int min_text_width = 160;

} // namespace

BoxLayout lay_out_box(double scale, int text_width, int text_height, int label_width, int label_height,
                      int max_width, int max_height)
{
    const auto scaled = [scale](int length) { return static_cast<int>(std::lround(length * scale)); };
    const int m = scaled(margin), icon = scaled(icon_size), padding = scaled(button_padding);
    text_width = std::max(text_width, scaled(min_text_width));

    BoxLayout box;
    box.frame_width = std::max(1, scaled(1));
    const int button_width = std::max(scaled(min_button_width), label_width + 4 * padding);
    const int button_height = label_height + 2 * padding;
    const int strip_height = button_height + 2 * (m / 2 + 2 * box.frame_width);
    box.width = std::max(std::min(m + icon + scaled(icon_gap) + text_width + m, max_width), button_width + 2 * m);
    box.height = std::max(std::min(m + std::max(text_height, icon) + m + strip_height, max_height), strip_height);
    box.icon = {m, m, icon, icon};
    box.text = {m + icon + scaled(icon_gap), m, text_width, text_height};
    box.strip_top = box.height - strip_height;
    box.button = {box.width - m - button_width, box.strip_top + m / 2 + 2 * box.frame_width, button_width,
                  button_height};
    return box;
}

BoxRect monitor_of(const BoxRect &owner, const std::vector<BoxRect> &monitors, const BoxRect &screen)
{
    const int x = owner.x + owner.width / 2, y = owner.y + owner.height / 2;
    for (const BoxRect &m : monitors)
        if (x >= m.x && x < m.x + m.width && y >= m.y && y < m.y + m.height)
            return m;
    return monitors.empty() ? screen : monitors.front();
}

BoxRect place_box(const BoxRect &owner, const BoxRect &monitor, int width, int height)
{
    const auto into = [](int at, int length, int from, int room) {
        return std::max(from, std::min(at, from + room - length));
    };
    return {into(owner.x + (owner.width - width) / 2, width, monitor.x, monitor.width),
            into(owner.y + (owner.height - height) / 2, height, monitor.y, monitor.height), width, height};
}
