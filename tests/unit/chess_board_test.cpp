// Field names to board positions, and the position line each lookup prints.
#include <gtest/gtest.h>

#include <string>

#include "scene/chess_board.h"

namespace {

struct Lookup {
    int result;
    float pos[3];
    std::string printed;
};

Lookup look_up(const char *name)
{
    Lookup l{};
    l.pos[0] = l.pos[1] = l.pos[2] = 99.0f; // every float must be written
    testing::internal::CaptureStdout();
    l.result = GetChessFieldPos(name, l.pos);
    l.printed = testing::internal::GetCapturedStdout();
    return l;
}

TEST(GetChessFieldPos, FieldsGiveTheirCentres)
{
    struct Case {
        const char *name;
        float x, y;
        const char *printed;
    };
    const Case cases[] = {
        {"A1", -3.5f, -3.5f, "\n Pos: A1 = (-3.50,-3.50)"},
        {"H8", 3.5f, 3.5f, "\n Pos: H8 = ( 3.50, 3.50)"},
        {"E5", 0.5f, 0.5f, "\n Pos: E5 = ( 0.50, 0.50)"},
        {"D4", -0.5f, -0.5f, "\n Pos: D4 = (-0.50,-0.50)"},
        {"H1", 3.5f, -3.5f, "\n Pos: H1 = ( 3.50,-3.50)"},
        {"A8", -3.5f, 3.5f, "\n Pos: A8 = (-3.50, 3.50)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Lookup l = look_up(c.name);
        EXPECT_EQ(l.result, 1);
        EXPECT_EQ(l.pos[0], c.x);
        EXPECT_EQ(l.pos[1], c.y);
        EXPECT_EQ(l.pos[2], 0.0f);
        EXPECT_EQ(l.printed, c.printed);
    }
}

TEST(GetChessFieldPos, OnlyTheFirstTwoCharactersCount)
{
    const Lookup l = look_up("C4xyz");
    EXPECT_EQ(l.result, 1);
    EXPECT_EQ(l.pos[0], -1.5f);
    EXPECT_EQ(l.pos[1], -0.5f);
    EXPECT_EQ(l.pos[2], 0.0f);
    EXPECT_EQ(l.printed, "\n Pos: C4xyz = (-1.50,-0.50)"); // the whole text is printed
}

TEST(GetChessFieldPos, NonFieldsReturnZeroButKeepTheValidCoordinate)
{
    struct Case {
        const char *name;
        float x, y;
        const char *printed;
    };
    const Case cases[] = {
        {"a1", 0.0f, -3.5f, "\n Pos: a1 = ( 0.00,-3.50)"}, // small letters are no field letters
        {"I1", 0.0f, -3.5f, "\n Pos: I1 = ( 0.00,-3.50)"},
        {"A0", -3.5f, 0.0f, "\n Pos: A0 = (-3.50, 0.00)"},
        {"A9", -3.5f, 0.0f, "\n Pos: A9 = (-3.50, 0.00)"},
        {"@1", 0.0f, -3.5f, "\n Pos: @1 = ( 0.00,-3.50)"}, // the neighbours of the ranges
        {"B:", -2.5f, 0.0f, "\n Pos: B: = (-2.50, 0.00)"},
        {"Bauer Nr. 11", -2.5f, 0.0f, "\n Pos: Bauer Nr. 11 = (-2.50, 0.00)"},
        {"\xDF" "1", 0.0f, -3.5f, "\n Pos: \xDF" "1 = ( 0.00,-3.50)"}, // a byte above 127 is no letter
        {" ", 0.0f, 0.0f, "\n Pos:   = ( 0.00, 0.00)"}, // the name of an empty pick
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Lookup l = look_up(c.name);
        EXPECT_EQ(l.result, 0);
        EXPECT_EQ(l.pos[0], c.x);
        EXPECT_EQ(l.pos[1], c.y);
        EXPECT_EQ(l.pos[2], 0.0f);
        EXPECT_EQ(l.printed, c.printed);
    }
}

TEST(GetChessFieldPos, NamesShorterThanTwoCharactersAreNoFields)
{
    // "A" alone: its letter is valid, the terminator is no digit; the byte after
    // the terminator is never looked at (it would say "1" here).
    const char a_then_digit[] = {'A', '\0', '1', '\0'};
    Lookup l = look_up(a_then_digit);
    EXPECT_EQ(l.result, 0);
    EXPECT_EQ(l.pos[0], -3.5f);
    EXPECT_EQ(l.pos[1], 0.0f);
    EXPECT_EQ(l.printed, "\n Pos: A = (-3.50, 0.00)");

    // The empty text: its terminator is the only byte that may be read.
    const char empty_then_field[] = {'\0', 'B', '2', '\0'};
    l = look_up(empty_then_field);
    EXPECT_EQ(l.result, 0);
    EXPECT_EQ(l.pos[0], 0.0f);
    EXPECT_EQ(l.pos[1], 0.0f);
    EXPECT_EQ(l.pos[2], 0.0f);
    EXPECT_EQ(l.printed, "\n Pos:  = ( 0.00, 0.00)");

    l = look_up(nullptr); // treated as the empty text instead of crashing
    EXPECT_EQ(l.result, 0);
    EXPECT_EQ(l.printed, "\n Pos:  = ( 0.00, 0.00)");
}

} // namespace
