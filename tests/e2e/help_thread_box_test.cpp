// The help thread with the real message box on a private X server, driven from
// the test: however the box ends, by its own keys, destroyed by another client
// or its connection killed from outside, only the box ends, and the thread goes
// back to waiting so that the next request opens a new box.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls/help.h"
#include "harness.h"

// Last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>

namespace {

const char *const box_title = "^Velmora: Tavolin$";

// Another client asks the box to redraw many times and then destroys its
// window or has the server kill its connection (what xdotool's windowclose and
// windowkill do), so that the box goes on drawing on a window or a connection
// that is gone before it learns so.
void end_while_drawing(const std::string &display, const std::string &window, const std::string &how)
{
    Display *d = XOpenDisplay(display.c_str());
    ASSERT_NE(d, nullptr);
    XEvent expose{};
    expose.xexpose.type = Expose;
    expose.xexpose.window = std::stoul(window);
    expose.xexpose.width = expose.xexpose.height = 100;
    for (int i = 0; i < 1000; ++i)
        XSendEvent(d, expose.xexpose.window, False, ExposureMask, &expose);
    if (how == "destroy")
        XDestroyWindow(d, expose.xexpose.window);
    else
        XKillClient(d, expose.xexpose.window);
    XCloseDisplay(d);
}

TEST(HelpThreadWithTheRealBox, ComesBackAfterTheBoxIsClosedDestroyedOrKilled)
{
    if (e2e::windows_program() || e2e::browser_program())
        GTEST_SKIP() << "X11 only: the X11 box in this process, destroyed or killed by another X client";
    e2e::Xvfb x;
    ::setenv("DISPLAY", x.display().c_str(), 1);
    for (const std::string how : {"key", "destroy", "kill", "key"}) {
        SCOPED_TRACE(how);
        display_help_via_message_box();
        const std::string box = e2e::wait_for_window(x.display(), box_title, 10);
        ASSERT_NE(box, "");
        display_help_via_message_box(); // asked again while open: this thread has the box raised
        if (how == "key")
            e2e::press_key(x.display(), box, "Return");
        else
            end_while_drawing(x.display(), box, how);
        EXPECT_TRUE(e2e::poll_until([&] { return e2e::find_windows(x.display(), box_title).empty(); }, 5));
        // Waiting again: a request from now on opens a new box.
        ASSERT_TRUE(e2e::poll_until([] { return show_help == 0; }, 5));
    }
}

} // namespace
