#include <gtest/gtest.h>

#include <vector>

#include "controls/wall_clock.h"

namespace {

// A wall clock that reads out a script of seconds since midnight, one per call;
// repeated values stand for readings within the same second.
std::vector<int> script;
size_t next_reading;
int scripted_clock()
{
    return script.at(next_reading++);
}

std::string uhrzeit_with(std::vector<int> readings)
{
    script = std::move(readings);
    next_reading = 0;
    wall_clock_source = scripted_clock;
    testing::internal::CaptureStdout();
    EXPECT_EQ(uhrzeit(), 1);
    return testing::internal::GetCapturedStdout();
}

TEST(WallClock, PrintsTheSecondAndTheNextOne)
{
    const int t = (9 * 60 + 5) * 60 + 3;
    EXPECT_EQ(uhrzeit_with({t, t, t, t + 1}), "\n 9:05:03 \n 9:05:04 ");
    EXPECT_EQ(next_reading, 4u); // returns as soon as the second has changed
}

TEST(WallClock, WrapsAtMidnight)
{
    EXPECT_EQ(uhrzeit_with({86399, 86399, 0}), "\n23:59:59 \n 0:00:00 ");
}

TEST(WallClock, AFirstReadingOfMidnightIsNotPrinted)
{
    EXPECT_EQ(uhrzeit_with({0, 0, 1, 1, 2}), "\n 0:00:01 \n 0:00:02 ");
}

TEST(WallClock, GetTimeIsSecondsSinceLocalMidnight)
{
    const int t = getTime();
    EXPECT_GE(t, 0);
    EXPECT_LT(t, 86400);
}

} // namespace
