// The program as a person starts and ends it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "controls_test_support.h"
#include "harness.h"

namespace {

const char *const start_title = "Objekt mit linker Maustaste anklicken";

int seconds_of(const std::smatch &m, int first)
{
    return (std::stoi(m[first]) * 60 + std::stoi(m[first + 1])) * 60 + std::stoi(m[first + 2]);
}

TEST(Startup, OpensItsWindowOnWhiteAndPrintsTheWallClockTwice)
{
    e2e::Xvfb x;
    e2e::Program program(x.display());
    const std::string window = e2e::wait_for_window(x.display(), start_title, 20);
    ASSERT_FALSE(window.empty()) << program.errors();
    EXPECT_EQ(e2e::window_title(x.display(), window), start_title);
    const e2e::Geometry g = e2e::window_geometry(x.display(), window);
    EXPECT_EQ(g.width, 900);
    EXPECT_EQ(g.height, 600);

    // Two lines "\nhh:mm:ss " one second apart, before anything else.
    ASSERT_TRUE(program.wait_for_output_size(20, 10)) << program.output();
    const std::string head = program.output().substr(0, 20);
    std::smatch m;
    const std::regex clock_lines(R"(\n([ 1]\d|2[0-3]):([0-5]\d):([0-5]\d) \n([ 1]\d|2[0-3]):([0-5]\d):([0-5]\d) )");
    ASSERT_TRUE(std::regex_match(head, m, clock_lines)) << '"' << head << '"';
    EXPECT_EQ((seconds_of(m, 1) + 1) % 86400, seconds_of(m, 4));

    // The background is cleared to white; the window's top corner shows it.
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            const e2e::Image shot = e2e::screenshot(x.display());
            return shot.at(g.x + 4, g.y + 4) == std::array<int, 3>{255, 255, 255};
        },
        10, 0.1));
}

TEST(Startup, ShowsThePictureOfTheReadme)
{
    e2e::Session session;
    ASSERT_TRUE(session.started()) << session.program().errors();
    const e2e::Image readme = e2e::read_image(SCHACH3D_SOURCE_DIR "/docs/scene.png");
    const e2e::Geometry g = e2e::window_geometry(session.display(), session.window());
    ASSERT_EQ(readme.width, g.width);
    ASSERT_EQ(readme.height, g.height);

    // Renderers may differ in a few pixels' shades: at most 1 % of the pixels
    // may be off, each by at most 2 % in every channel.
    const int allowed = readme.width * readme.height / 100;
    int off = readme.width * readme.height;
    EXPECT_TRUE(e2e::poll_until(
        [&] {
            const e2e::Image shot = e2e::screenshot(session.display());
            off = 0;
            for (int y = std::max(0, -g.y); y < std::min(readme.height, shot.height - g.y); ++y)
                for (int x = std::max(0, -g.x); x < std::min(readme.width, shot.width - g.x); ++x) {
                    const auto a = readme.at(x, y), b = shot.at(g.x + x, g.y + y);
                    for (int c = 0; c < 3; ++c)
                        if (std::abs(a[c] - b[c]) > 255 * 2 / 100) {
                            ++off;
                            break;
                        }
                }
            return off <= allowed;
        },
        20, 0.2))
        << off << " pixels off, " << allowed << " allowed";
}

// On a screen of 192 dpi (Xft.dpi, as a desktop sets it for a scale of 200 %)
// the window covers as much of the screen as 900x600 does at 96 dpi, so the
// help box, drawn at the screen's resolution, fits inside it. A size given
// with -geometry is in the screen's pixels, as X11 programs take it.
TEST(Startup, OpensScaledToTheScreensResolutionUnlessGivenASize)
{
    if (e2e::windows_program())
        GTEST_SKIP() << "X11 only: Xft.dpi is an X resource; Windows scales by its own (tests/package/run-windows)";
    if (e2e::browser_program())
        GTEST_SKIP() << "a page has no command line, and its pixel ratio is the browser's";
    e2e::Xvfb x("2048x1536x24");
    int status = -1;
    e2e::run(x.display(), "xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER 'Xft.dpi:\t192'", &status);
    ASSERT_EQ(status, 0);
    {
        e2e::Program program(x.display());
        const std::string window = e2e::wait_for_window(x.display(), start_title, 20);
        ASSERT_FALSE(window.empty()) << program.errors();
        const e2e::Geometry g = e2e::window_geometry(x.display(), window);
        EXPECT_EQ(g.width, 1800);
        EXPECT_EQ(g.height, 1200);
        e2e::press_key(x.display(), window, "F2");
        const std::string box = e2e::wait_for_window(x.display(), controls_e2e::box_title_regex, 10);
        ASSERT_NE(box, "") << program.errors();
        const e2e::Geometry b = e2e::window_geometry(x.display(), box);
        EXPECT_TRUE(b.x >= g.x && b.y >= g.y && b.x + b.width <= g.x + g.width && b.y + b.height <= g.y + g.height)
            << "box " << b.width << "x" << b.height << "+" << b.x << "+" << b.y << " in the window "
            << g.width << "x" << g.height << "+" << g.x << "+" << g.y;
    }
    ASSERT_TRUE(e2e::poll_until([&] { return e2e::find_windows(x.display(), start_title).empty(); }, 10));
    e2e::Program given(x.display(), {"-geometry", "900x600"});
    const std::string window = e2e::wait_for_window(x.display(), start_title, 20);
    ASSERT_FALSE(window.empty()) << given.errors();
    const e2e::Geometry g = e2e::window_geometry(x.display(), window);
    EXPECT_EQ(g.width, 900);
    EXPECT_EQ(g.height, 600);
}

class QuitKey : public testing::TestWithParam<const char *> {};

TEST_P(QuitKey, EndsTheProgramWithStatusZero)
{
    e2e::Session session;
    ASSERT_TRUE(session.started()) << session.program().errors();
    session.key(GetParam());
    EXPECT_EQ(session.program().wait_exit(10), 0) << session.program().errors();
}

INSTANTIATE_TEST_SUITE_P(EscapeAndQ, QuitKey, testing::Values("Escape", "q"));

TEST(Startup, WithoutADisplaySaysSoOnceAndFails)
{
    if (e2e::windows_program())
        GTEST_SKIP() << "X11 only: Windows needs no DISPLAY, and wine's own start-up fails without one";
    if (e2e::browser_program())
        GTEST_SKIP() << "X11 only: the page is the browser program's display";
    e2e::Program program("");
    const auto status = program.wait_exit(10);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
    const std::string err = program.errors();
    EXPECT_NE(err.find("display"), std::string::npos) << err;
    EXPECT_NE(err.find("DISPLAY is not set"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(program.output(), "");
}

TEST(Startup, WithAnUnreachableDisplayFails)
{
    if (e2e::windows_program())
        GTEST_SKIP() << "X11 only: the Windows program never opens DISPLAY itself, wine does";
    if (e2e::browser_program())
        GTEST_SKIP() << "X11 only: the page is the browser program's display";
    e2e::Program program(":9999");
    const auto status = program.wait_exit(10);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
    EXPECT_NE(program.errors().find(":9999"), std::string::npos) << program.errors();
}

TEST(Startup, HelpAndVersionAnswerWithoutADisplay)
{
    if (e2e::browser_program())
        GTEST_SKIP() << "a page has no command line";
    e2e::Program version("", {"--version"});
    EXPECT_EQ(version.wait_exit(10), 0);
    EXPECT_EQ(version.output(), "schach3d 1.0.0\n");

    // A "-geometry" value is the toolkit's, not an option of our own.
    e2e::Program help("", {"-geometry", "--version", "--help"});
    EXPECT_EQ(help.wait_exit(10), 0);
    EXPECT_EQ(help.output().rfind("Usage: schach3d", 0), 0u) << help.output();
    if (e2e::windows_program()) { // a Windows program, read about in its README.txt
        EXPECT_EQ(help.output().find("-display"), std::string::npos) << help.output();
        EXPECT_NE(help.output().find("README.txt"), std::string::npos) << help.output();
    } else {
        EXPECT_NE(help.output().find("man schach3d"), std::string::npos);
    }
    EXPECT_EQ(help.errors(), "");
}

TEST(Startup, TakesTheLastDisplayOptionAsTheToolkitDoes)
{
    if (e2e::windows_program() || e2e::browser_program())
        GTEST_SKIP() << "X11 only: -display is an option of the toolkit's X11 port";
    e2e::Xvfb x;
    e2e::Program program("", {"-display", ":9999", "-display", x.display()});
    EXPECT_NE(e2e::wait_for_window(x.display(), start_title, 20), "") << program.errors();
}

} // namespace
