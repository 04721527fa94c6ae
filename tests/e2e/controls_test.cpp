// Keys and the pop-up menu on the real program, seen in the picture and on the console.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "controls_test_support.h"
#include "harness.h"

namespace {

using controls_e2e::Rect;
using controls_e2e::Scene;

Rect scene_area(Scene &scene) { return controls_e2e::rect_of(e2e::window_geometry(scene.display(), scene.window())); }

// A screenshot taken once the scene has been drawn and the picture has settled.
e2e::Image settled(Scene &scene)
{
    const e2e::Geometry window = e2e::window_geometry(scene.display(), scene.window());
    const Rect area = controls_e2e::rect_of(window);
    e2e::Image last;
    EXPECT_TRUE(e2e::poll_until(
        [&] {
            last = e2e::screenshot(scene.display());
            return e2e::scene_drawn(last, window);
        },
        20, 0.1))
        << "the scene was not drawn";
    e2e::poll_until(
        [&] {
            e2e::Image now = e2e::screenshot(scene.display());
            const bool same = controls_e2e::changed_pixels(last, now, area) == 0;
            last = std::move(now);
            return same;
        },
        5, 0.1);
    return last;
}

TEST(MenuByMouse, ChoosingHilfePrintsTheKeyHelpOnly)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();

    // A middle click opens the menu at the pointer; it stays open.
    e2e::click(scene.display(), scene.window(), 300, 200, 2);
    const std::string menu = e2e::wait_for_window(scene.display(), e2e::menu_window_regex(), 5);
    ASSERT_NE(menu, "");
    const e2e::Geometry g = e2e::window_geometry(scene.display(), menu);
    ASSERT_GT(g.height, 14 * 10);

    // Point at the fourth of fourteen entries, move a little so it lights up, click it.
    const int entry_y = static_cast<int>(g.height / 14.0 * 3.5);
    e2e::move_pointer(scene.display(), menu, g.width / 2, entry_y);
    e2e::click(scene.display(), menu, g.width / 2 + 2, entry_y);

    const std::string expected = controls_e2e::key_help_bytes();
    ASSERT_TRUE(scene.wait_printed_size(expected.size(), 10));
    EXPECT_EQ(scene.printed(), expected);
    EXPECT_EQ(scene.wait_for_box(1.0), "");
    EXPECT_TRUE(e2e::find_windows(scene.display(), e2e::menu_window_regex()).empty());
}

// Seconds since midnight of one time line "\nhh:mm:ss " (hour padded with a
// blank), or -1 if the text is not one.
int seconds_of_time_line(const std::string &line)
{
    int h = 0, m = 0, s = 0, used = 0;
    if (line.size() != 10 || line[0] != '\n' || line[9] != ' ' || line[3] != ':' || line[6] != ':')
        return -1;
    if (std::sscanf(line.c_str() + 1, "%2d:%2d:%2d%n", &h, &m, &s, &used) != 3 || used != 8)
        return -1;
    const bool padded = (h < 10 && line[1] == ' ') || (h >= 10 && line[1] != ' ');
    if (!padded || line[4] == ' ' || line[7] == ' ' || h > 23 || m > 59 || s > 59)
        return -1;
    return (h * 60 + m) * 60 + s;
}

TEST(Keys, ZPrintsTwoTimeLinesOneSecondApart)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    scene.key("z");
    ASSERT_TRUE(scene.wait_printed_size(20, 10));
    const std::string printed = scene.printed();
    ASSERT_EQ(printed.size(), 20u) << '"' << printed << '"';
    const int first = seconds_of_time_line(printed.substr(0, 10));
    const int second = seconds_of_time_line(printed.substr(10));
    ASSERT_GE(first, 0) << '"' << printed << '"';
    ASSERT_GE(second, 0) << '"' << printed << '"';
    EXPECT_EQ((first + 1) % 86400, second);
}

TEST(Keys, PolygonModesChangeThePictureAndFillRestoresIt)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    const Rect area = scene_area(scene);
    const e2e::Image filled = settled(scene);

    scene.key("l");
    e2e::Image lines;
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            lines = e2e::screenshot(scene.display());
            return controls_e2e::changed_pixels(filled, lines, area) > area.width * area.height / 20;
        },
        10, 0.1));

    scene.key("p");
    ASSERT_TRUE(e2e::poll_until(
        [&] { return controls_e2e::changed_pixels(lines, e2e::screenshot(scene.display()), area) > 1000; }, 10,
        0.1));

    scene.key("f");
    EXPECT_TRUE(e2e::poll_until(
        [&] { return controls_e2e::changed_pixels(filled, e2e::screenshot(scene.display()), area) == 0; }, 10,
        0.1));
}

// Translucent faces that lie on each other flip by a few shades when the matrix
// is off in its last bits; a picture that came back differs only there.
constexpr int shade_tolerance = 24;

TEST(Keys, ArrowTurnsAddUpAndUndoEachOther)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    const Rect area = scene_area(scene);
    const e2e::Image start = settled(scene);
    const int pixels = area.width * area.height;
    const auto differing = [&](const e2e::Image &a, const e2e::Image &b) {
        return controls_e2e::changed_pixels(a, b, area, {}, shade_tolerance);
    };

    scene.key("Left");
    e2e::Image turned;
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            turned = e2e::screenshot(scene.display());
            return differing(start, turned) > pixels / 50;
        },
        10, 0.1));
    scene.key("Left"); // a second turn adds to the first
    ASSERT_TRUE(e2e::poll_until([&] { return differing(turned, e2e::screenshot(scene.display())) > pixels / 50; },
                                10, 0.1));
    scene.key("Left");
    scene.key("Left");
    for (int i = 0; i < 4; ++i)
        scene.key("Right");
    int left_over = pixels;
    EXPECT_TRUE(e2e::poll_until(
        [&] {
            left_over = differing(start, e2e::screenshot(scene.display()));
            return left_over < pixels / 1000;
        },
        10, 0.1))
        << left_over << " pixels differ";
}

// The settled picture of a scene of its own after the keys, and the window's area.
void picture_after(std::initializer_list<const char *> keys, e2e::Image &picture, Rect &area)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    area = scene_area(scene);
    for (const char *key : keys)
        scene.key(key);
    scene.key("f"); // something to wait for after the last key has been drawn: nothing changes
    picture = settled(scene);
}

// Expects the scene to come to the picture, but for shades.
void expect_picture(Scene &scene, const e2e::Image &expected, const Rect &area)
{
    int left_over = 0;
    EXPECT_TRUE(e2e::poll_until(
        [&] {
            left_over = controls_e2e::changed_pixels(expected, e2e::screenshot(scene.display()), area, {},
                                                     shade_tolerance);
            return left_over < area.width * area.height / 1000;
        },
        10, 0.1))
        << left_over << " pixels differ";
}

TEST(Keys, TheCameraKeysDiscardTheTurns)
{
    e2e::Image closer;
    Rect area;
    ASSERT_NO_FATAL_FAILURE(picture_after({"K"}, closer, area));
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    const e2e::Image start = settled(scene);
    EXPECT_GT(controls_e2e::changed_pixels(start, closer, area, {}, shade_tolerance), area.width * area.height / 50);
    scene.key("Up");
    scene.key("Left");
    scene.key("K");
    expect_picture(scene, closer, area);
}

// One step of the wheel away from the person is "K", one towards them "k":
// the same camera, whatever order they come in.
TEST(Wheel, EachStepMovesTheCameraAsItsKeyDoes)
{
    e2e::Image by_keys;
    Rect area;
    ASSERT_NO_FATAL_FAILURE(picture_after({"K", "K", "k"}, by_keys, area));
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    for (const bool away : {true, true, false})
        e2e::wheel_step(scene.display(), scene.window(), away);
    expect_picture(scene, by_keys, area);
    EXPECT_EQ(scene.printed(), "");
    EXPECT_EQ(e2e::window_title(scene.display(), scene.window()), "Objekt mit linker Maustaste anklicken");
}

} // namespace
