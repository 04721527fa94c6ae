// How the X11 box lays out the help text, and how it fails without a display.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/help.h"
#include "platform/x11/message_box.h"
#include "platform/x11/text_lines.h"

namespace {

TEST(BoxLayout, TabsStopEveryEightColumns)
{
    EXPECT_EQ(message_text_lines("\tx"), std::vector<std::string>{"        x"});
    EXPECT_EQ(message_text_lines("ab\tx"), std::vector<std::string>{"ab      x"});
    EXPECT_EQ(message_text_lines("abcdefgh\tx"), std::vector<std::string>{"abcdefgh        x"});
    EXPECT_EQ(message_text_lines("abcdefg\t\tx"), std::vector<std::string>{"abcdefg         x"});
    EXPECT_EQ(message_text_lines("a\nbc\td"), (std::vector<std::string>{"a", "bc      d"}));
}

TEST(BoxLayout, LinesFollowTheLineFeeds)
{
    EXPECT_EQ(message_text_lines(""), std::vector<std::string>{""});
    EXPECT_EQ(message_text_lines("a\n"), std::vector<std::string>{"a"});
    EXPECT_EQ(message_text_lines("\n\na\n\nb\n"), (std::vector<std::string>{"", "", "a", "", "b"}));
    EXPECT_EQ(message_text_lines("a\n\n"), (std::vector<std::string>{"a", ""}));
}

TEST(BoxLayout, TheBoxTextKeepsItsBytesAndIndents)
{
    const std::vector<std::string> lines = message_text_lines(help_text);
    ASSERT_EQ(lines.size(), 25u); // the closing line feed opens no line
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], std::string(26, '='));
    EXPECT_EQ(lines[11], "           Ausblenden von Figuren"); // tab to column 8, then three blanks
    EXPECT_EQ(lines[12], " Mittlere MT: Men\xFC" "Item anzeigen");
    EXPECT_EQ(lines[14], "         von Lichtquelle");
    EXPECT_EQ(lines[24], " ESC: Quit Programm");
}

TEST(MessageBox, ReturnsAtOnceWhenNoDisplayCanBeOpened)
{
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(show_message_box(":9999", help_text, help_title));
    unsetenv("DISPLAY");
    EXPECT_FALSE(show_message_box(nullptr, help_text, help_title));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
