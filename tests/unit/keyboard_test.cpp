// Character and special keys without a window: the scene values they change,
// the redisplay request, and what they print. GL calls without a context do
// nothing here; their effect on the picture is checked end to end.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

#include "controls/help.h"
#include "controls/keyboard.h"
#include "controls/wall_clock.h"
#include "help_test_support.h"
#include "keyboard_test_support.h"

namespace {

using keyboard_test::redisplays;
using keyboard_test::SceneValues;
using Keyboard = keyboard_test::ControlsTest;

void press(unsigned char key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        keyboard(key, 0, 0);
}

// The exact float values below are the nearest floats of products formed in
// double and stored back after each press; single-precision factors (1.1f,
// 0.9f) drift away from them within a few presses.

TEST_F(Keyboard, SpotExponentGrowsByATenthAndIsClampedAtAThousand)
{
    press('E', 50);
    EXPECT_LT(Spot_Exponent, 128.0f);
    press('E'); // the 51st press
    EXPECT_EQ(Spot_Exponent, 129.129944f);
    EXPECT_NEAR(Spot_Exponent, 129.13f, 0.005f);
    press('E', 21); // the 72nd press
    EXPECT_EQ(Spot_Exponent, 955.593933f);
    press('E'); // the 73rd press is the first past 1000
    EXPECT_EQ(Spot_Exponent, 1000.0f);
    press('E', 5);
    EXPECT_EQ(Spot_Exponent, 1000.0f);
    EXPECT_EQ(redisplays, 78);
}

TEST_F(Keyboard, SpotExponentShrinksButNotBelowOne)
{
    press('e');
    EXPECT_EQ(Spot_Exponent, 1.0f);
    EXPECT_EQ(redisplays, 1);

    Spot_Exponent = 1000.0f;
    press('e');
    EXPECT_EQ(Spot_Exponent, 900.0f);
    Spot_Exponent = 1.05f; // 0.945 after the product: clamped back to 1
    press('e');
    EXPECT_EQ(Spot_Exponent, 1.0f);
}

TEST_F(Keyboard, CutoffGrowsWhileBelow180AndEndsBeyondIt)
{
    const float listed[] = {49.5f, 54.45f, 59.895f, 65.8845f, 72.47295f, 79.72024f, 87.69226f, 96.46149f};
    for (float value : listed) {
        press('C');
        EXPECT_NEAR(Spot_CutoffAngle, value, 0.0005f);
    }
    press('C', 5); // the 13th press
    EXPECT_NEAR(Spot_CutoffAngle, 155.352f, 0.0005f);
    press('C');
    EXPECT_NEAR(Spot_CutoffAngle, 170.887f, 0.0005f);
    press('C'); // the 15th press tests 170.887 < 180 and goes past it
    EXPECT_EQ(Spot_CutoffAngle, 187.976151f);

    redisplays = 0;
    press('C', 3); // no change any more, but still a redisplay each
    EXPECT_EQ(Spot_CutoffAngle, 187.976151f);
    EXPECT_EQ(redisplays, 3);
}

TEST_F(Keyboard, CutoffShrinksWhileAboveOneAndEndsBelowIt)
{
    press('c', 36);
    EXPECT_GT(Spot_CutoffAngle, 1.0f);
    press('c'); // the 37th press reaches the first value not above 1
    EXPECT_EQ(Spot_CutoffAngle, 0.912400186f);
    press('c', 4);
    EXPECT_EQ(Spot_CutoffAngle, 0.912400186f);
    EXPECT_EQ(redisplays, 41);
}

TEST_F(Keyboard, ViewerDistanceMovesByTenPercent)
{
    press('k');
    EXPECT_EQ(viewer_distance, 11.0f);
    press('K');
    EXPECT_FLOAT_EQ(viewer_distance, 9.9f); // not back at 10
    EXPECT_NE(viewer_distance, 10.0f);

    viewer_distance = 10.0f;
    press('K');
    EXPECT_EQ(viewer_distance, 9.0f);
    EXPECT_EQ(redisplays, 3);
}

TEST_F(Keyboard, ViewerDistanceComesBackFromThousandsOfPressesEitherWay)
{
    press('K', 2000);
    const float nearest = viewer_distance;
    press('k');
    EXPECT_GT(viewer_distance, nearest);

    press('k', 4000);
    const float farthest = viewer_distance;
    press('K');
    EXPECT_LT(viewer_distance, farthest);
}

TEST_F(Keyboard, LightStepsAreExactQuarters)
{
    press('+', 4);
    EXPECT_EQ(MiniSphere1.offset, 1.0f);
    press('-', 6);
    EXPECT_EQ(MiniSphere1.offset, -0.5f);

    const float start = MiniSphere.offset;
    press('o', 3);
    EXPECT_FLOAT_EQ(MiniSphere.offset, 6.35f);
    press('u', 3);
    EXPECT_EQ(MiniSphere.offset, start);
    press('u', 30); // no lower bound
    EXPECT_FLOAT_EQ(MiniSphere.offset, -1.9f);
    EXPECT_EQ(redisplays, 46);
}

TEST_F(Keyboard, FlagKeysFlipBetweenZeroAndOne)
{
    press(' ');
    EXPECT_EQ(stop_time, 1);
    press(' ');
    EXPECT_EQ(stop_time, 0);

    press('a');
    EXPECT_EQ(licht_an, 0);
    press('a');
    EXPECT_EQ(licht_an, 1);

    press('d');
    EXPECT_EQ(Transparez_ein, 0);
    press('d');
    EXPECT_EQ(Transparez_ein, 1);

    press('t');
    EXPECT_EQ(tex_ok, 1);
    press('t');
    EXPECT_EQ(tex_ok, 0);

    stop_time = 5; // any non-zero value counts as stopped; space flips only the low bit
    press(' ');
    EXPECT_EQ(stop_time, 4);
    EXPECT_EQ(redisplays, 9);
}

TEST_F(Keyboard, PolygonKeysOnlyRequestARedisplayOfTheScene)
{
    const SceneValues before = SceneValues::now();
    testing::internal::CaptureStdout();
    press('p');
    press('l');
    press('f');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(SceneValues::now(), before);
    EXPECT_EQ(redisplays, 3);
}

TEST_F(Keyboard, UnlistedKeysDoNothingAtAll)
{
    const std::set<int> listed = {27, 'q', ' ', '+', '-', 'o', 'u', 'E', 'e', 'C', 'c', 'k', 'K',
                                  'a', 'd', 't', 'p', 'l', 'f', 'h', 'z'};
    const SceneValues before = SceneValues::now();
    testing::internal::CaptureStdout();
    int tried = 0;
    for (int key = 0; key < 256; ++key) {
        if (listed.count(key) != 0)
            continue;
        keyboard(static_cast<unsigned char>(key), 17, 23);
        ++tried;
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(tried, 256 - 21);
    EXPECT_EQ(SceneValues::now(), before);
    EXPECT_EQ(redisplays, 0);
    EXPECT_EQ(help_is_running, 0);
    EXPECT_EQ(show_help, 0);
}

TEST_F(Keyboard, UnlistedSpecialKeysDoNothingAtAll)
{
    const std::set<int> listed = {GLUT_KEY_F1, GLUT_KEY_F2, GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT,
                                  GLUT_KEY_DOWN};
    const SceneValues before = SceneValues::now();
    testing::internal::CaptureStdout();
    for (int key = -2; key < 400; ++key)
        if (listed.count(key) == 0)
            handleSpecialKeys(key, 0, 0);
    // The letters and digits as special-key codes are not the character keys.
    handleSpecialKeys('q', 0, 0);
    handleSpecialKeys(27, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(SceneValues::now(), before);
    EXPECT_EQ(redisplays, 0);
    EXPECT_EQ(help_is_running, 0);
}

TEST_F(Keyboard, ArrowKeysRequestARedisplayAndChangeNoSceneValue)
{
    const SceneValues before = SceneValues::now();
    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN})
        handleSpecialKeys(key, 0, 0);
    EXPECT_EQ(SceneValues::now(), before);
    EXPECT_EQ(redisplays, 4);
}

TEST_F(Keyboard, HPrintsTheKeyHelpAndOpensNoBox)
{
    testing::internal::CaptureStdout();
    help();
    const std::string key_help = testing::internal::GetCapturedStdout();

    testing::internal::CaptureStdout();
    press('h');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), key_help);
    EXPECT_EQ(redisplays, 1);
    EXPECT_EQ(help_is_running, 0);
    EXPECT_EQ(show_help, 0);
}

std::vector<int> clock_readings;
size_t next_reading;
int scripted_clock() { return clock_readings.at(next_reading++); }

TEST_F(Keyboard, ZPrintsTheWallClockTwice)
{
    const int t = (14 * 60 + 7) * 60 + 59;
    clock_readings = {t, t, t + 1};
    next_reading = 0;
    wall_clock_source = scripted_clock;
    testing::internal::CaptureStdout();
    press('z');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n14:07:59 \n14:08:00 ");
    EXPECT_EQ(next_reading, 3u);
    EXPECT_EQ(redisplays, 1);
}

const std::string box_output = std::string("\n") + "Velmora: Tavolin" + "\n";

TEST_F(Keyboard, F2PrintsTheBoxTextAndShowsTheBox)
{
    help_test::FakeBox::install();
    auto &box = help_test::FakeBox::instance();
    testing::internal::CaptureStdout();
    handleSpecialKeys(GLUT_KEY_F2, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), box_output + help_text);
    EXPECT_EQ(redisplays, 1);
    ASSERT_TRUE(box.wait_shown(1, std::chrono::seconds(2)));
    EXPECT_EQ(box.last_title(), "Velmora: Tavolin");
    EXPECT_EQ(box.last_text(), help_text);
    box.close();
}

TEST_F(Keyboard, F1PrintsTheKeyHelpThenTheBoxTextAndShowsTheBox)
{
    testing::internal::CaptureStdout();
    help();
    const std::string key_help = testing::internal::GetCapturedStdout();

    help_test::FakeBox::install();
    auto &box = help_test::FakeBox::instance();
    testing::internal::CaptureStdout();
    handleSpecialKeys(GLUT_KEY_F1, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), key_help + box_output + help_text);
    EXPECT_EQ(redisplays, 1);
    EXPECT_TRUE(box.wait_shown(1, std::chrono::seconds(2)));
    box.close();
}

TEST(KeyboardQuit, EscapeAndQEndTheProcessWithStatusZero)
{
    EXPECT_EXIT(keyboard(27, 0, 0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(keyboard('q', 0, 0), testing::ExitedWithCode(0), "");
}

} // namespace
