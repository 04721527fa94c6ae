// The pop-up menu's entries and what choosing one does: exactly what its key does.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "controls/help.h"
#include "controls/keyboard.h"
#include "controls/menu.h"
#include "keyboard_test_support.h"

namespace {

using keyboard_test::redisplays;
using keyboard_test::SceneValues;
using Menu = keyboard_test::ControlsTest;

struct Expected {
    int value;
    const char *label;
    unsigned char key;
};
const Expected entries[] = {
    {1, "Polygon: Points", 'p'},      {2, "Polygon: Lines", 'l'},     {3, "Polygon: Fill", 'f'},
    {4, "Hilfe", 'h'},                {5, "Start/Stop", ' '},         {6, "Textur", 't'},
    {7, "Transparenz", 'd'},          {8, "B.Perspektive K", 'K'},    {9, "B.Perspektive k", 'k'},
    {10, "Lichtquelle", 'a'},         {11, "Lichtquelle oben", 'o'},  {12, "Lichtquelle unten", 'u'},
    {13, "Lichtquelle rechts", '+'},  {14, "Lichtquelle links", '-'},
};

TEST_F(Menu, HasFourteenEntriesWithTheirLabelsAndKeysInOrder)
{
    ASSERT_EQ(menu_entry_count, 14);
    for (const Expected &e : entries) {
        SCOPED_TRACE(e.value);
        EXPECT_STREQ(menu_entries[e.value - 1].label, e.label);
        EXPECT_EQ(menu_entries[e.value - 1].key, e.key);
    }
}

struct Effect {
    SceneValues values;
    std::string printed;
    int redisplays;
};

template <typename Action> Effect effect_of(const SceneValues &start, Action action)
{
    start.restore();
    redisplays = 0;
    testing::internal::CaptureStdout();
    action();
    return {SceneValues::now(), testing::internal::GetCapturedStdout(), redisplays};
}

TEST_F(Menu, EveryEntryDoesExactlyWhatItsKeyDoes)
{
    // From a state where every value can move both ways, so a wrong key shows.
    SceneValues start = SceneValues::now();
    start.exponent = 10.0f;
    start.cutoff = 60.0f;
    for (const Expected &e : entries) {
        SCOPED_TRACE(e.label);
        const Effect by_menu = effect_of(start, [&] { menu(e.value); });
        const Effect by_key = effect_of(start, [&] { keyboard(e.key, 0, 0); });
        EXPECT_EQ(by_menu.values, by_key.values);
        EXPECT_EQ(by_menu.printed, by_key.printed);
        EXPECT_EQ(by_menu.redisplays, 1);
        EXPECT_EQ(by_key.redisplays, 1);
    }
    EXPECT_EQ(help_is_running, 0); // not even "Hilfe" opens the box
}

TEST_F(Menu, ValuesOutsideOneToFourteenDoNothing)
{
    const SceneValues before = SceneValues::now();
    testing::internal::CaptureStdout();
    for (int value : {0, -1, -4, INT_MIN, 15, 16, 27, 113, INT_MAX})
        menu(value);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(SceneValues::now(), before);
    EXPECT_EQ(redisplays, 0);
}

TEST_F(Menu, CapitalPerspectiveComesCloserAndSmallGoesAway)
{
    menu(8); // "B.Perspektive K"
    EXPECT_EQ(viewer_distance, 9.0f);
    viewer_distance = 10.0f;
    menu(9); // "B.Perspektive k"
    EXPECT_EQ(viewer_distance, 11.0f);
}

TEST_F(Menu, StartStopTwiceLeavesTheClockRunning)
{
    menu(5);
    EXPECT_EQ(stop_time, 1);
    menu(5);
    EXPECT_EQ(stop_time, 0);
    EXPECT_EQ(redisplays, 2);
}

TEST_F(Menu, HilfePrintsTheKeyHelpOnly)
{
    testing::internal::CaptureStdout();
    help();
    const std::string key_help = testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    menu(4);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), key_help);
    EXPECT_EQ(help_is_running, 0);
    EXPECT_EQ(show_help, 0);
}

} // namespace
