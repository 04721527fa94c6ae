// The help thread and its two flags, driven through a box that stays open
// until the test closes it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "controls/help.h"
#include "help_test_support.h"
#include "no_box_message.h"

namespace {

using namespace std::chrono_literals;
using help_test::FakeBox;

// Waits until ready() holds or the timeout passes; true if it held.
template <typename Ready> bool poll(Ready ready, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class HelpThread : public ::testing::Test {
protected:
    void SetUp() override { FakeBox::install(); }
    FakeBox &box = FakeBox::instance();
};

// Longer than three polls of the waiting thread: a box that was going to open
// again would have done so by then.
constexpr auto quiet_period = 350ms;

TEST_F(HelpThread, TheFirstRequestStartsTheThreadWhichShowsTheBoxAtOnce)
{
    EXPECT_EQ(help_is_running, 0);
    display_help_via_message_box();
    EXPECT_EQ(help_is_running, 1); // counted as running before its first step
    ASSERT_TRUE(box.wait_shown(1, 2s));
    EXPECT_EQ(box.open_now(), 1);
    EXPECT_STREQ(box.last_title().c_str(), "Velmora: Tavolin");
    EXPECT_EQ(box.last_text(), help_text);
    box.close();
    EXPECT_TRUE(poll([] { return show_help == 0; }, 2s));
    EXPECT_EQ(help_is_running, 1); // and stays so
}

TEST_F(HelpThread, RequestsInQuickSuccessionStartOneThreadOnly)
{
    for (int i = 0; i < 20; ++i)
        display_help_via_message_box();
    ASSERT_TRUE(box.wait_shown(1, 2s));
    EXPECT_FALSE(box.wait_shown(2, quiet_period));
    EXPECT_EQ(box.most_open_at_once(), 1);
    box.close();
}

TEST_F(HelpThread, ARequestWhileTheBoxIsOpenIsLost)
{
    display_help_via_message_box();
    ASSERT_TRUE(box.wait_shown(1, 2s));
    display_help_via_message_box(); // while the box is open
    display_help_via_message_box();
    EXPECT_EQ(show_help, 1);
    box.close();
    ASSERT_TRUE(poll([] { return show_help == 0; }, 2s));
    EXPECT_FALSE(box.wait_shown(2, quiet_period));
    EXPECT_EQ(box.shown(), 1);
}

TEST_F(HelpThread, ARequestAfterTheBoxIsClosedShowsItAgain)
{
    display_help_via_message_box();
    ASSERT_TRUE(box.wait_shown(1, 2s));
    box.close();
    ASSERT_TRUE(poll([&] { return box.open_now() == 0 && show_help == 0; }, 2s));

    const auto asked = std::chrono::steady_clock::now();
    display_help_via_message_box();
    ASSERT_TRUE(box.wait_shown(2, 2s));
    // The waiting thread looks every 100 ms; allow for a slow machine.
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
    EXPECT_EQ(box.most_open_at_once(), 1);
    box.close();

    ASSERT_TRUE(poll([&] { return box.open_now() == 0 && show_help == 0; }, 2s));
    display_help_via_message_box();
    EXPECT_TRUE(box.wait_shown(3, 2s));
    box.close();
}

TEST(HelpThreadWithoutDisplay, SaysSoOnceAndKeepsTakingRequests)
{
    FakeBox::install(/*failing=*/true);
    FakeBox &box = FakeBox::instance();
    testing::internal::CaptureStderr();
    display_help_via_message_box();
    ASSERT_TRUE(box.wait_shown(1, 2s));
    ASSERT_TRUE(poll([] { return show_help == 0; }, 2s));
    display_help_via_message_box();
    ASSERT_TRUE(box.wait_shown(2, 2s));
    ASSERT_TRUE(poll([] { return show_help == 0; }, 2s));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), expected_no_box_message);
    EXPECT_EQ(help_is_running, 1);
}

} // namespace
