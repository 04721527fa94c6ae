// The program on the desktops people run it on: framed by a real window
// manager, and on a Wayland compositor through Xwayland.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "controls_test_support.h"
#include "harness.h"

namespace {

const char *const start_title = "Objekt mit linker Maustaste anklicken";

// Asks the window manager to close a window, as its close button does
// (_NET_CLOSE_WINDOW; the manager sends the window WM_DELETE_WINDOW).
void close_from_window_manager(const std::string &display, const std::string &window)
{
    int status = -1;
    e2e::run(display, "wmctrl -i -c " + window, &status);
    ASSERT_EQ(status, 0);
}

TEST(Desktop, UnderOpenboxItIsFramedAndItsWindowsCloseFromTheFrame)
{
    if (e2e::windows_program() || e2e::browser_program())
        GTEST_SKIP() << "X11 only: an X window manager's frame around the X11 program";
    e2e::Xvfb x;
    const std::string &display = x.display();
    const auto wm = e2e::start_window_manager(display);

    e2e::Program program(display);
    const std::string window = e2e::wait_for_window(display, start_title, 20);
    ASSERT_NE(window, "") << program.errors();

    // Framed: openbox says how thick its frame is around the window, the title bar on top.
    int left = 0, right = 0, top = 0, bottom = 0;
    EXPECT_TRUE(e2e::poll_until(
        [&] {
            const std::string p = e2e::run(display, "xprop -id " + window + " _NET_FRAME_EXTENTS");
            return std::sscanf(p.c_str(), "_NET_FRAME_EXTENTS(CARDINAL) = %d, %d, %d, %d", &left, &right, &top,
                               &bottom) == 4 &&
                   top > 0;
        },
        10, 0.05))
        << "not framed: " << e2e::run(display, "xprop -id " + window + " _NET_FRAME_EXTENTS");

    // The manager gives a new window the focus; F2 then reaches the scene.
    ASSERT_TRUE(e2e::wait_for_focus(display, window, 10));
    e2e::press_key(display, window, "F2");
    const std::string box = e2e::wait_for_window(display, controls_e2e::box_title_regex, 10);
    ASSERT_NE(box, "") << program.errors();

    close_from_window_manager(display, box);
    EXPECT_TRUE(e2e::poll_until([&] { return e2e::find_windows(display, controls_e2e::box_title_regex).empty(); },
                                10, 0.05));
    EXPECT_TRUE(program.running());

    close_from_window_manager(display, window);
    EXPECT_EQ(program.wait_exit(10), 0) << program.errors();
    EXPECT_TRUE(wm->running()) << wm->errors();
}

// A window's 32-bit property as the numbers it holds; empty while it has none.
std::vector<unsigned long> cardinals(const std::string &display, const std::string &window, const char *property)
{
    std::istringstream numbers(e2e::run(display, "xprop -id " + window + " -notype -f " + property +
                                                     " 32c ' $0+\\n' " + property + " 2>/dev/null"));
    std::string name;
    std::vector<unsigned long> values;
    if (!(numbers >> name) || name != property) // "PROPERTY:  not found."
        return values;
    for (std::string item; numbers >> item;)
        values.push_back(std::stoul(item));
    return values;
}

TEST(Desktop, TheSceneWindowNamesItsProgramItsIconAndItsProcess)
{
    if (e2e::windows_program())
        GTEST_SKIP() << "X11 only: wine names the Windows program's windows itself";
    if (e2e::browser_program())
        GTEST_SKIP() << "X11 only: the page names the program and shows its icon itself";
    // No window manager: with one the toolkit would set the process itself.
    e2e::Xvfb x;
    const std::string &display = x.display();
    e2e::Program program(display);
    const std::string window = e2e::wait_for_window(display, start_title, 20);
    ASSERT_NE(window, "") << program.errors();

    // Set right after the window is made, so perhaps a moment after it shows.
    std::string wm_class;
    std::vector<unsigned long> pid, icon;
    EXPECT_TRUE(e2e::poll_until(
        [&] {
            wm_class = e2e::run(display, "xprop -id " + window + " WM_CLASS");
            pid = cardinals(display, window, "_NET_WM_PID");
            icon = cardinals(display, window, "_NET_WM_ICON");
            return wm_class.find("not found") == std::string::npos && !pid.empty() && !icon.empty();
        },
        10));
    // The class that the menu entry's StartupWMClass names.
    EXPECT_EQ(wm_class, "WM_CLASS(STRING) = \"schach3d\", \"schach3d\"\n");
    EXPECT_EQ(pid, std::vector<unsigned long>{static_cast<unsigned long>(program.pid())});

    // The icon in two sizes, each its width, height and pixels (0xAARRGGBB):
    // the queen stands opaque in the middle of a transparent square.
    std::vector<unsigned long> sizes;
    for (size_t at = 0; at + 2 <= icon.size();) {
        const unsigned long width = icon[at], height = icon[at + 1];
        sizes.push_back(width);
        ASSERT_TRUE(width > 0 && width == height) << width << "x" << height;
        ASSERT_LE(at + 2 + width * height, icon.size());
        const unsigned long *pixels = &icon[at + 2];
        EXPECT_EQ(pixels[0] >> 24, 0u) << width << "x" << height << ": a corner";
        EXPECT_EQ(pixels[height / 2 * width + width / 2] >> 24, 0xFFu) << width << "x" << height << ": the middle";
        at += 2 + width * height;
    }
    EXPECT_EQ(sizes, (std::vector<unsigned long>{48, 128}));
}

// A runtime directory of the compositor's own, gone with the test.
struct RuntimeDir {
    std::string path;
    RuntimeDir()
    {
        char name[] = "/tmp/schach3d-weston.XXXXXX";
        if (::mkdtemp(name) != nullptr)
            path = name;
    }
    ~RuntimeDir()
    {
        if (!path.empty())
            std::filesystem::remove_all(path);
    }
};

TEST(Desktop, OnWestonThroughXwaylandItOpensAndAnswersH)
{
    if (e2e::windows_program() || e2e::browser_program())
        GTEST_SKIP() << "X11 only: the X11 program on a Wayland desktop through Xwayland";
    RuntimeDir runtime;
    ASSERT_NE(runtime.path, "");
    e2e::Companion weston("", "weston",
                          {"--backend=headless-backend.so", "--xwayland", "--no-config", "--idle-time=0"},
                          {"XDG_RUNTIME_DIR=" + runtime.path});
    // Weston binds the X display itself and starts Xwayland on the first client.
    std::string display;
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            std::smatch m;
            static const std::regex listening("xserver listening on display (:[0-9]+)");
            const std::string &log = weston.errors();
            if (std::regex_search(log, m, listening))
                display = m[1];
            return !display.empty();
        },
        20, 0.05))
        << weston.errors();

    e2e::Program program(display);
    const std::string window = e2e::wait_for_window(display, start_title, 20);
    ASSERT_NE(window, "") << program.errors() << weston.errors();
    ASSERT_TRUE(program.wait_for_output_size(e2e::Session::clock_bytes, 10)) << program.errors();

    // The headless compositor has no pointer to move: warping it crashes this
    // Xwayland. The key goes where the pointer rests, the middle of the screen,
    // which the window (opened at the top left) covers.
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            return e2e::run(display, "xdotool getmouselocation --shell").find("WINDOW=" + window + "\n") !=
                   std::string::npos;
        },
        10, 0.05))
        << e2e::run(display, "xdotool getmouselocation --shell");
    e2e::run(display, "xdotool key h");
    const std::string expected = controls_e2e::key_help_bytes();
    ASSERT_TRUE(program.wait_for_output_size(e2e::Session::clock_bytes + expected.size(), 10))
        << program.output() << program.errors();
    EXPECT_EQ(program.output().substr(e2e::Session::clock_bytes), expected);
    EXPECT_TRUE(program.running()) << program.errors();
}

} // namespace
