// How the X11 box lays out the help text, and how it fails without a display.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/help.h"
#include "platform/x11/box_layout.h"
#include "platform/x11/message_box.h"
#include "platform/x11/screen_resolution.h"
#include "platform/x11/text_lines.h"

namespace {

TEST(BoxLayout, TabsStopEveryEightColumns)
{
    EXPECT_EQ(message_text_lines("\tx"), std::vector<std::string>{"        x"});
    EXPECT_EQ(message_text_lines("ab\tx"), std::vector<std::string>{"ab      x"});
    EXPECT_EQ(message_text_lines("abcdefgh\tx"), std::vector<std::string>{"abcdefgh        x"});
    EXPECT_EQ(message_text_lines("abcdefg\t\tx"), std::vector<std::string>{"abcdefg         x"});
    EXPECT_EQ(message_text_lines("a\nbc\td"), (std::vector<std::string>{"a", "bc      d"}));
}

TEST(BoxLayout, LinesFollowTheLineFeeds)
{
    EXPECT_EQ(message_text_lines(""), std::vector<std::string>{""});
    EXPECT_EQ(message_text_lines("a\n"), std::vector<std::string>{"a"});
    EXPECT_EQ(message_text_lines("\n\na\n\nb\n"), (std::vector<std::string>{"", "", "a", "", "b"}));
    EXPECT_EQ(message_text_lines("a\n\n"), (std::vector<std::string>{"a", ""}));
}

TEST(BoxLayout, TheBoxTextKeepsItsBytesAndIndents)
{
    const std::vector<std::string> lines = message_text_lines(help_text);
    ASSERT_EQ(lines.size(), 25u); // the closing line feed opens no line
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], std::string(26, '='));
    EXPECT_EQ(lines[11], "           Ausblenden von Figuren"); // tab to column 8, then three blanks
    EXPECT_EQ(lines[12], " Mittlere MT: Men\xFC" "Item anzeigen");
    EXPECT_EQ(lines[14], "         von Lichtquelle");
    EXPECT_EQ(lines[24], " ESC: Quit Programm");
}

TEST(BoxLayout, ScalesWithTheScreensResolution)
{
    EXPECT_EQ(resource_dpi("Xft.antialias:\t1\nXft.dpi:\t192\n"), 192);
    EXPECT_EQ(resource_dpi("*customization:\t-color\n"), 96);
    // The text and the button's label as the font draws them at 96 dpi, and
    // at 192 twice as large: the whole box is twice as large then.
    const BoxLayout normal = lay_out_box(1, 300, 400, 20, 15, 2000, 2000);
    const BoxLayout doubled = lay_out_box(2, 600, 800, 40, 30, 4000, 4000);
    const auto twice = [](const BoxRect &r) { return BoxRect{2 * r.x, 2 * r.y, 2 * r.width, 2 * r.height}; };
    EXPECT_EQ(doubled.width, 2 * normal.width);
    EXPECT_EQ(doubled.height, 2 * normal.height);
    EXPECT_EQ(doubled.icon, twice(normal.icon));
    EXPECT_EQ(doubled.text, twice(normal.text));
    EXPECT_EQ(doubled.strip_top, 2 * normal.strip_top);
    EXPECT_EQ(doubled.button, twice(normal.button));
}

TEST(BoxPosition, CentredOnTheSceneWindowAndKeptOnItsMonitor)
{
    const std::vector<BoxRect> monitors = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const BoxRect screen{0, 0, 3200, 1080};
    const BoxRect scene{2000, 100, 900, 600};
    const BoxRect monitor = monitor_of(scene, monitors, screen);
    EXPECT_EQ(monitor, monitors[1]);
    EXPECT_EQ(place_box(scene, monitor, 300, 400), (BoxRect{2300, 200, 300, 400}));
    // Straddling the two, held by the second: the box stays on it.
    const BoxRect straddling{1500, 500, 900, 600};
    EXPECT_EQ(place_box(straddling, monitor_of(straddling, monitors, screen), 700, 800),
              (BoxRect{1920, 224, 700, 800}));
    EXPECT_EQ(monitor_of(scene, {}, screen), screen);
}

TEST(MessageBox, ReturnsAtOnceWhenNoDisplayCanBeOpened)
{
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(show_message_box(BoxPlace{":9999"}, help_text, help_title));
    unsetenv("DISPLAY");
    EXPECT_FALSE(show_message_box(BoxPlace{}, help_text, help_title));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
