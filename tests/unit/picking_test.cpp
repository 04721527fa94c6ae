// Choosing the hit from hand-made selection records, and the mouse buttons
// that need no pick.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/roster.h"
#include "core/scene_state.h"
#include "core/toolkit.h"
#include "interaction/picking.h"
#include "scene/selection_names.h"

namespace {

std::vector<std::string> titles;
void record_title(const char *title) { titles.emplace_back(title); }

constexpr unsigned int far_plane = 0xFFFFFFFFu;

class ProcessHits : public testing::Test {
protected:
    void SetUp() override
    {
        titles.clear();
        set_window_title = record_title;
        set_id_and_name(&room, "Waende und Boden");
        set_id_and_name(&pawn, "Bauer Nr. 11");
        set_id_and_name(&a1, "A1");
        set_id_and_name(&sphere, "Aus_Turm 1");
    }
    unsigned int room = 0, pawn = 0, a1 = 0, sphere = 0;
};

// One record per name, as the render pass produces them.
std::vector<unsigned int> records(std::initializer_list<std::pair<unsigned int, unsigned int>> hits)
{
    std::vector<unsigned int> buffer(512, 0);
    size_t at = 0;
    for (const auto &[depth, name] : hits) {
        buffer[at++] = 1;
        buffer[at++] = depth;
        buffer[at++] = far_plane;
        buffer[at++] = name;
    }
    return buffer;
}

TEST_F(ProcessHits, TheNearestRecordWinsWhereverItStands)
{
    auto buffer = records({{0x60000000u, room}, {0x50000000u, a1}, {0x40000000u, pawn}, {0x48000000u, sphere}});
    processHits(4, buffer.data());
    EXPECT_STREQ(selected_name, "Bauer Nr. 11");
    EXPECT_EQ(titles, std::vector<std::string>{"Bauer Nr. 11"});
    EXPECT_EQ(selected_name, get_name_from_id(pawn)) << "the name points into the registry, never a copy";
}

TEST_F(ProcessHits, AtEqualDepthTheFirstRecordWinsAndWithinARecordTheFirstName)
{
    auto buffer = records({{0x40000000u, a1}, {0x40000000u, pawn}});
    processHits(2, buffer.data());
    EXPECT_STREQ(selected_name, "A1");

    // One record carrying two names.
    const unsigned int two_names[] = {2, 0x40000000u, far_plane, sphere, pawn};
    std::vector<unsigned int> buffer2(512, 0);
    std::copy(std::begin(two_names), std::end(two_names), buffer2.begin());
    processHits(1, buffer2.data());
    EXPECT_STREQ(selected_name, "Aus_Turm 1");
}

TEST_F(ProcessHits, OnlyTheGivenNumberOfRecordsCounts)
{
    auto buffer = records({{0x40000000u, a1}, {0x10000000u, pawn}});
    processHits(1, buffer.data());
    EXPECT_STREQ(selected_name, "A1");
}

TEST_F(ProcessHits, DepthsThatRoundToTheFarPlaneNeverWin)
{
    // 2^32 - 128 and above scale to 2.0 in single precision: no better than nothing.
    for (unsigned int depth : {far_plane, 0xFFFFFF80u}) {
        auto buffer = records({{depth, room}});
        processHits(1, buffer.data());
        EXPECT_STREQ(selected_name, " ") << std::hex << depth;
    }
    auto buffer = records({{0xFFFFFF7Fu, room}});
    processHits(1, buffer.data());
    EXPECT_STREQ(selected_name, "Waende und Boden");
    // And the far plane does not displace an earlier, nearer hit.
    buffer = records({{0x7FFFFFFFu, a1}, {far_plane, pawn}});
    processHits(2, buffer.data());
    EXPECT_STREQ(selected_name, "A1");
}

TEST_F(ProcessHits, ZeroAndNegativeCountsAreAPickOnNothing)
{
    auto buffer = records({{0x10000000u, pawn}});
    processHits(1, buffer.data());
    ASSERT_STREQ(selected_name, "Bauer Nr. 11");

    processHits(0, buffer.data());
    EXPECT_STREQ(selected_name, " ") << "every pick starts from the blank name";
    processHits(-1, buffer.data()); // the records overflowed the buffer
    EXPECT_STREQ(selected_name, " ");
    EXPECT_EQ(titles, (std::vector<std::string>{"Bauer Nr. 11", " ", " "}));
}

TEST_F(ProcessHits, AnIdTheRegistryNeverGaveNamesNoObject)
{
    auto buffer = records({{0x10000000u, 150}});
    processHits(1, buffer.data());
    EXPECT_STREQ(selected_name, "");
    EXPECT_EQ(titles, std::vector<std::string>{""});
}

// The buffer is followed by words that would win if the walk read them.
struct GuardedBuffer {
    unsigned int words[512];
    unsigned int past[8];
};

TEST_F(ProcessHits, NeverReadsPastTheBufferWhateverTheRecordsClaim)
{
    GuardedBuffer g{};
    // Read as the tail of a record, these give depth 0 and the pawn's id.
    g.past[0] = 0;
    g.past[1] = g.past[2] = g.past[3] = pawn;

    // A record of 508 names fills words 0..510; the next header would start
    // at 511 and take its depths and name from beyond the end.
    g.words[0] = 508;
    g.words[1] = 0x40000000u;
    g.words[2] = far_plane;
    g.words[3] = a1;
    g.words[511] = 1;
    processHits(2, g.words);
    EXPECT_STREQ(selected_name, "A1");

    // 170 empty records reach word 509; the 171st header at 510 would
    // straddle the end.
    std::memset(g.words, 0, sizeof g.words);
    g.words[510] = 1;
    g.words[511] = 0;
    processHits(100000, g.words);
    EXPECT_STREQ(selected_name, " ");

    // A name in the last word of the buffer is still read.
    std::memset(g.words, 0, sizeof g.words);
    g.words[0] = 505; // names in words 3..507, all at the far plane
    g.words[1] = far_plane;
    g.words[508] = 1;
    g.words[509] = 0x30000000u;
    g.words[510] = far_plane;
    g.words[511] = sphere;
    processHits(2, g.words);
    EXPECT_STREQ(selected_name, "Aus_Turm 1");
}

TEST_F(ProcessHits, ARecordClaimingMoreNamesThanTheBufferHoldsStopsAtItsEnd)
{
    // Exactly 512 words on the heap, so that a sanitizer build sees any
    // read beyond; an unbounded walk over four billion names would crash.
    auto words = std::make_unique<unsigned int[]>(512);
    std::fill_n(words.get(), 512, a1);
    words[0] = 0xFFFFFFFFu;
    words[1] = 0x40000000u;
    words[2] = far_plane;
    words[3] = pawn;
    processHits(3, words.get());
    EXPECT_STREQ(selected_name, "Bauer Nr. 11");
}

class MouseButtons : public testing::Test {
protected:
    void SetUp() override
    {
        titles.clear();
        set_window_title = record_title;
        MiniSphere.color_index = 0;
    }
};

TEST_F(MouseButtons, RightPressesCycleTheLightColourAndReleasesKeepIt)
{
    const int expected[] = {1, 2, 3, 0, 1};
    for (int e : expected) {
        handleMouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
        EXPECT_EQ(MiniSphere.color_index, e);
        handleMouse(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
        EXPECT_EQ(MiniSphere.color_index, e);
    }
    EXPECT_EQ(MiniSphere1.color_index, 0);
}

TEST_F(MouseButtons, LeftReleaseAndMiddleButtonDoNothing)
{
    TMovement before[ROSTER_COUNT];
    for (int i = 0; i < ROSTER_COUNT; ++i)
        before[i] = *roster[i].movement;
    testing::internal::CaptureStdout();
    handleMouse(GLUT_LEFT_BUTTON, GLUT_UP, 100, 100);
    handleMouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 100, 100);
    handleMouse(GLUT_MIDDLE_BUTTON, GLUT_UP, 100, 100);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(MiniSphere.color_index, 0);
    for (int i = 0; i < ROSTER_COUNT; ++i)
        EXPECT_EQ(std::memcmp(&before[i], roster[i].movement, sizeof(TMovement)), 0) << roster[i].name;
}

} // namespace
