// Help as a person meets it: the key help on the console, and the help box
// that opens beside the scene and leaves it running.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "controls_test_support.h"
#include "harness.h"

// Last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using controls_e2e::box_text_bytes;
using controls_e2e::key_help_bytes;
using controls_e2e::Rect;
using controls_e2e::Scene;

// What a window manager sends when the person closes a window from its frame.
void send_wm_delete(const std::string &display, const std::string &window)
{
    Display *d = XOpenDisplay(display.c_str());
    ASSERT_NE(d, nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::stoul(window);
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(d);
}

// Clicks the box's OK button where the screen shows it.
void click_ok(const std::string &display, const std::string &box)
{
    if (e2e::windows_program()) {
        // Windows' box draws its OK button without the blue frame looked for
        // below; OK is its default button, which Return presses.
        e2e::press_key(display, box, "Return");
        return;
    }
    const Rect area = controls_e2e::rect_of(e2e::window_geometry(display, box));
    Rect button;
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            button = controls_e2e::find_ok_button(e2e::screenshot(display), area);
            return button.width > 20;
        },
        5, 0.1))
        << "no OK button drawn";
    e2e::click(display, box, button.x - area.x + button.width / 2, button.y - area.y + button.height / 2);
}

TEST(HelpKeys, HPrintsTheKeyHelpExactlyAndOpensNoBox)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    const std::string expected = key_help_bytes();
    scene.key("h");
    ASSERT_TRUE(scene.wait_printed_size(expected.size(), 10));
    EXPECT_EQ(scene.printed(), expected);
    EXPECT_EQ(scene.wait_for_box(1.0), "");
    EXPECT_EQ(scene.printed(), expected);
}

// The key help as a person reads it in a terminal: in a UTF-8 locale its
// three letters beyond ASCII arrive in UTF-8; in another locale, and in a pipe
// whatever the locale, the bytes arrive as the program has them.
TEST(HelpKeys, HOnAUtf8TerminalPrintsTheKeyHelpInUtf8)
{
    if (e2e::windows_program())
        GTEST_SKIP() << "Linux only: a Windows console is set to show the bytes as they are";
    if (e2e::browser_program())
        GTEST_SKIP() << "Linux only: the page's console panel decodes the bytes itself, whatever the locale";
    const std::string bytes = key_help_bytes();
    std::string utf8;
    for (const char c : bytes) {
        switch (static_cast<unsigned char>(c)) {
        case 0xDF: utf8 += "\xC3\x9F"; break; // ß
        case 0xF6: utf8 += "\xC3\xB6"; break; // ö
        case 0xFC: utf8 += "\xC3\xBC"; break; // ü
        default: utf8 += c;
        }
    }
    ASSERT_NE(utf8, bytes);
    const struct {
        e2e::Console console;
        const std::string &expected;
    } cases[] = {
        {{true, "C.UTF-8"}, utf8},
        {{true, "C"}, bytes},
        {{false, "C.UTF-8"}, bytes},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.console.terminal ? "terminal, " : "pipe, ") + c.console.locale);
        Scene scene(false, c.console);
        ASSERT_TRUE(scene.started()) << scene.program().errors();
        scene.key("h");
        ASSERT_TRUE(scene.wait_printed_size(c.expected.size(), 10)) << scene.printed();
        EXPECT_EQ(scene.printed(), c.expected);
    }
}

TEST(HelpKeys, F1PrintsTheKeyHelpAndTheBoxTextAndOpensTheBox)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    const std::string expected = key_help_bytes() + box_text_bytes();
    scene.key("F1");
    EXPECT_NE(scene.wait_for_box(10), "");
    ASSERT_TRUE(scene.wait_printed_size(expected.size(), 10));
    EXPECT_EQ(scene.printed(), expected);
}

TEST(HelpBox, OpensOnceAndAgainAfterItIsClosed)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    const std::string text = box_text_bytes();

    scene.key("F2");
    const std::string box = scene.wait_for_box(10);
    ASSERT_NE(box, "") << scene.program().errors();
    ASSERT_TRUE(scene.wait_printed_size(text.size(), 5));
    EXPECT_EQ(scene.printed(), text);
    EXPECT_EQ(e2e::window_title(scene.display(), box), "Velmora: Tavolin");

    // A second F2 while it is open prints again but opens no second box.
    scene.key("F2");
    ASSERT_TRUE(scene.wait_printed_size(2 * text.size(), 5));
    EXPECT_EQ(scene.printed(), text + text);
    EXPECT_FALSE(e2e::poll_until([&] { return scene.boxes().size() > 1; }, 1.0, 0.1));
    EXPECT_EQ(scene.boxes().size(), 1u);

    // OK closes it, and it stays closed: the request made while it was open is gone.
    click_ok(scene.display(), box);
    ASSERT_TRUE(scene.wait_no_box(5));
    EXPECT_EQ(scene.wait_for_box(1.0), "");

    // Asked for again, it opens again within a second.
    const auto asked = std::chrono::steady_clock::now();
    scene.key("F2");
    EXPECT_NE(scene.wait_for_box(5), "");
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1));
    EXPECT_TRUE(scene.program().running());
    EXPECT_EQ(scene.program().errors(), "");
}

TEST(HelpBox, ClosesOnEnterSpaceEscapeAndFromTheWindowManager)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    for (const char *how : {"Return", "space", "Escape", "WM_DELETE_WINDOW"}) {
        SCOPED_TRACE(how);
        if (std::string(how) == "WM_DELETE_WINDOW" && e2e::browser_program())
            continue; // the page's box has no window manager's frame to be closed from
        scene.key("F2");
        const std::string box = scene.wait_for_box(5);
        ASSERT_NE(box, "");
        if (std::string(how) == "WM_DELETE_WINDOW") {
            send_wm_delete(scene.display(), box);
        } else {
            // With no window manager the focus follows the pointer into the box.
            e2e::press_key(scene.display(), box, how);
        }
        EXPECT_TRUE(scene.wait_no_box(5));
        EXPECT_TRUE(scene.program().running()); // Escape in the box ends only the box
    }
}

// Escape held to close the box goes on repeating after the first press, and
// the scene's Escape ends the program: the box must be gone with the repeats
// kept from the scene, which never had the press. Under a window manager,
// which gives the scene the focus back as the box goes, as Windows does.
TEST(HelpBox, EscapeHeldToCloseItLeavesTheProgramRunning)
{
    if (e2e::browser_program())
        GTEST_SKIP() << "the page's own case covers it (tests/web/page.test.js)";
    Scene scene(false, {}, /*window_manager=*/true);
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    scene.key("F2");
    const std::string box = scene.wait_for_box(10);
    ASSERT_NE(box, "");
    if (!e2e::windows_program()) { // the Windows program's box is clicked for the key
        ASSERT_TRUE(e2e::wait_for_focus(scene.display(), box, 10));
    }

    EXPECT_TRUE(e2e::hold_key(scene.display(), box, "Escape", 3)) << "the server did not repeat the key";
    EXPECT_TRUE(scene.wait_no_box(5));
    // The scene still answers keys: a repeat would have ended it.
    scene.key("h");
    const std::string expected = box_text_bytes() + key_help_bytes();
    EXPECT_TRUE(scene.wait_printed_size(expected.size(), 10));
    EXPECT_EQ(scene.printed(), expected);
    EXPECT_TRUE(scene.program().running());
}

TEST(HelpBox, OpensAsTheSceneWindowsTransientCentredOnIt)
{
    if (e2e::windows_program())
        GTEST_SKIP() << "X11 only: Windows' box has no owner, which would freeze the scene";
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    scene.key("F2");
    const std::string box = scene.wait_for_box(10);
    ASSERT_NE(box, "");

    if (!e2e::browser_program()) { // the page's dialog lies in the scene's element itself
        Display *d = XOpenDisplay(scene.display().c_str());
        ASSERT_NE(d, nullptr);
        Window owner = 0;
        EXPECT_NE(XGetTransientForHint(d, std::stoul(box), &owner), 0);
        EXPECT_EQ(owner, std::stoul(scene.window()));
        XCloseDisplay(d);
    }

    const Rect s = controls_e2e::rect_of(e2e::window_geometry(scene.display(), scene.window()));
    const Rect b = controls_e2e::rect_of(e2e::window_geometry(scene.display(), box));
    EXPECT_NEAR(b.x + b.width / 2, s.x + s.width / 2, 2);
    EXPECT_NEAR(b.y + b.height / 2, s.y + s.height / 2, 2);
}

// Whether `upper` lies above `lower` among the screen's top-level windows.
bool stacked_above(Display *d, Window upper, Window lower)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count) == 0)
        return false;
    int upper_at = -1, lower_at = -1; // bottom first
    for (unsigned i = 0; i < count; ++i) {
        if (children[i] == upper)
            upper_at = static_cast<int>(i);
        if (children[i] == lower)
            lower_at = static_cast<int>(i);
    }
    XFree(children);
    return upper_at > lower_at && lower_at >= 0;
}

TEST(HelpBox, F2RaisesTheBuriedBoxAndGivesItTheFocus)
{
    if (e2e::browser_program())
        GTEST_SKIP() << "X11 stacking: the page's dialog is never buried (its focus: tests/web/page.test.js)";
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    scene.key("F2");
    const std::string box_id = scene.wait_for_box(10);
    ASSERT_NE(box_id, "");
    const Window box = std::stoul(box_id), window = std::stoul(scene.window());

    // The scene comes over the box and takes the focus, as a click on it does.
    Display *d = XOpenDisplay(scene.display().c_str());
    ASSERT_NE(d, nullptr);
    XRaiseWindow(d, window);
    XSetInputFocus(d, window, RevertToPointerRoot, CurrentTime);
    XSync(d, False);
    ASSERT_TRUE(stacked_above(d, window, box));

    scene.key("F2");
    const std::string text = box_text_bytes();
    ASSERT_TRUE(scene.wait_printed_size(2 * text.size(), 5));
    EXPECT_EQ(scene.printed(), text + text);
    EXPECT_TRUE(e2e::poll_until(
        [&] {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(d, &focus, &revert);
            // Under wine with no window manager, the X focus stays where it
            // is when the program hands its foreground to the box.
            return stacked_above(d, box, window) && (focus == box || e2e::windows_program());
        },
        5, 0.05));
    XCloseDisplay(d);
    EXPECT_EQ(scene.boxes().size(), 1u);
}

TEST(HelpBox, TheSceneKeepsDrawingAndTakingKeysWhileItIsOpen)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    scene.key("F2");
    const std::string box = scene.wait_for_box(10);
    ASSERT_NE(box, "");
    const Rect scene_area = controls_e2e::rect_of(e2e::window_geometry(scene.display(), scene.window()));
    const Rect box_area = controls_e2e::rect_of(e2e::window_geometry(scene.display(), box));
    const e2e::Image before = e2e::screenshot(scene.display());

    // "a" shows the light marker: the key reaches the scene and it is drawn.
    scene.key("a");
    e2e::Image after;
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            after = e2e::screenshot(scene.display());
            return controls_e2e::changed_pixels(before, after, scene_area, box_area) > 50;
        },
        10, 0.1));

    // The marker turns with the scene clock, so the picture keeps changing.
    EXPECT_TRUE(e2e::poll_until(
        [&] {
            return controls_e2e::changed_pixels(after, e2e::screenshot(scene.display()), scene_area, box_area) > 20;
        },
        10, 0.1));
    EXPECT_EQ(scene.boxes().size(), 1u);
}

TEST(HelpBox, EscapeInTheSceneEndsTheProgramWithTheBoxOpen)
{
    Scene scene;
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    scene.key("F2");
    ASSERT_NE(scene.wait_for_box(10), "");
    scene.key("Escape");
    EXPECT_EQ(scene.program().wait_exit(10), 0);
}

TEST(HelpBox, FitsASmallScreenWithItsOkButtonShowing)
{
    if (e2e::windows_program())
        GTEST_SKIP() << "X11 only: the layout of the program's own X11 box; Windows lays out its box itself";
    if (e2e::browser_program())
        GTEST_SKIP() << "X11 only: the layout of the program's own X11 box on a small X screen";
    e2e::Xvfb x("320x240x24");
    e2e::Program program(x.display(), {"-geometry", "300x200+0+0"});
    const std::string window = e2e::wait_for_window(x.display(), "Objekt mit linker Maustaste anklicken", 20);
    ASSERT_NE(window, "") << program.errors();
    e2e::press_key(x.display(), window, "F2");
    const std::string box = e2e::wait_for_window(x.display(), controls_e2e::box_title_regex, 10);
    ASSERT_NE(box, "") << program.errors();

    const Rect area = controls_e2e::rect_of(e2e::window_geometry(x.display(), box));
    EXPECT_TRUE(area.x >= 0 && area.y >= 0 && area.x + area.width <= 320 && area.y + area.height <= 240)
        << area.x << "," << area.y << " " << area.width << "x" << area.height;
    click_ok(x.display(), box);
    EXPECT_TRUE(e2e::poll_until([&] { return e2e::find_windows(x.display(), controls_e2e::box_title_regex).empty(); },
                                5, 0.05));
}

TEST(HelpBox, OpensOnTheDisplayGivenOnTheCommandLine)
{
    if (e2e::windows_program() || e2e::browser_program())
        GTEST_SKIP() << "X11 only: -display is an option of the toolkit's X11 port";
    Scene scene(/*display_on_command_line=*/true);
    ASSERT_TRUE(scene.started()) << scene.program().errors();
    scene.key("F2");
    EXPECT_NE(scene.wait_for_box(10), "") << scene.program().errors();
    EXPECT_EQ(scene.program().errors(), "");
}

} // namespace
