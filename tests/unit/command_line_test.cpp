// Whether the command line gives the window's size, which is then not scaled
// for the screen's resolution.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

bool sizes_window(std::vector<std::string> args)
{
    args.insert(args.begin(), "schach3d");
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    return command_line_sizes_window(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, GivesTheWindowsSizeOnlyWithAGeometryOfWidthAndHeight)
{
    EXPECT_TRUE(sizes_window({"-geometry", "900x600"}));
    EXPECT_TRUE(sizes_window({"-geometry", "=1280X800-0+10"}));
    EXPECT_FALSE(sizes_window({}));
    EXPECT_FALSE(sizes_window({"-geometry", "+10+10"})); // a place alone
    EXPECT_FALSE(sizes_window({"-geometry", "900"}));
    EXPECT_FALSE(sizes_window({"-geometry", "900x600junk"})); // no geometry to the toolkit
    EXPECT_FALSE(sizes_window({"-geometry", "900x600", "-geometry", "+0+0"})); // the last counts
    EXPECT_FALSE(sizes_window({"-display", "-geometry", "900x600"})); // the display's name
}

} // namespace
