// Picks through the real GL_SELECT path, at window points projected from the
// scene with the display's own matrices.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/display.h"
#include "core/roster.h"
#include "core/scene_state.h"
#include "core/toolkit.h"
#include "core/view.h"
#include "gl_scene.h"
#include "interaction/picking.h"

namespace {

std::vector<std::string> titles;
void record_title(const char *title) { titles.emplace_back(title); }

// The scene as the program shows it after its first frame, with the two
// toolkit calls watched.
void open_scene(int width = 900, int height = 600)
{
    open_gl_scene(width, height);
    set_window_title = record_title;
    post_redisplay = count_redisplay;
    draw_frame_to_back_buffer();
}

std::string pick_window(int x, int y, int flag = 0)
{
    myPickFunc(x, y, flag);
    return selected_name;
}

TEST(Picking, APressOnAPawnNamesItArmsItAndLeavesTheDisplayStateAsItWas)
{
    open_scene();
    const auto projection = gl_matrix(GL_PROJECTION_MATRIX);
    const auto modelview = gl_matrix(GL_MODELVIEW_MATRIX);

    testing::internal::CaptureStdout();
    EXPECT_EQ(pick_at(-2.5, -3.5, 0.6, 1), "Bauer Nr. 11");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(titles, std::vector<std::string>{"Bauer Nr. 11"});
    EXPECT_EQ(redisplays, 1);
    EXPECT_EQ(F1_Movement.state, 1);
    for (const PieceInfo &piece : roster)
        if (piece.movement != &F1_Movement) {
            EXPECT_EQ(piece.movement->state, 0) << piece.name;
        }
    // Thirty-one handlers try the name as a field; the pawn's own stays silent.
    std::string lines;
    for (int i = 0; i < 31; ++i)
        lines += "\n Pos: Bauer Nr. 11 = (-2.50, 0.00)";
    EXPECT_EQ(out, lines);

    EXPECT_EQ(gl_matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), modelview);
    GLint mode = 0, render_mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_RENDER_MODE, &render_mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(render_mode, GL_RENDER);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Picking, MotionPicksNameWhatLiesUnderThePointerButTouchNoPiece)
{
    open_scene();
    testing::internal::CaptureStdout();
    handleMouseMove(static_cast<int>(std::lround(project(3.5, -3.5, 0.5)[0])),
                    static_cast<int>(std::lround(project(3.5, -3.5, 0.5)[1])));
    EXPECT_STREQ(selected_name, "Turm Nr. 4");
    handleMouseMove(static_cast<int>(std::lround(project(0.5, -1.5, 0)[0])),
                    static_cast<int>(std::lround(project(0.5, -1.5, 0)[1])));
    EXPECT_STREQ(selected_name, "E3");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(titles, (std::vector<std::string>{"Turm Nr. 4", "E3"}));
    for (const PieceInfo &piece : roster) {
        EXPECT_EQ(piece.movement->state, 0) << piece.name;
        EXPECT_EQ(*piece.off, 0) << piece.name;
    }
}

TEST(Picking, FieldsAwayFromThePiecesNameThemselves)
{
    open_scene();
    const struct {
        double x, y;
        const char *name;
    } fields[] = {{-0.5, -0.5, "D4"}, {0.5, 0.5, "E5"}, {-1.5, -3.5, "C1"}, {1.5, 3.5, "F8"}, {-0.5, 2.5, "D7"}};
    for (const auto &f : fields)
        EXPECT_EQ(pick_at(f.x, f.y, 0.0), f.name);
}

TEST(Picking, ThePieceInFrontWinsOverTheFieldItStandsOn)
{
    open_scene();
    // The pawn on B1 hides the middle of its field; the field shows in front of it.
    EXPECT_EQ(pick_at(-2.5, -3.5, 0.0), "Bauer Nr. 11");
    EXPECT_EQ(pick_at(-2.15, -3.85, 0.0), "B1");
}

TEST(Picking, ASwitchSphereHidesItsPieceAndTheFieldShowsWhereItStood)
{
    open_scene();
    EXPECT_EQ(pick_at(-3.5, -0.5, 0.0), "Koenig Nr. 1");

    testing::internal::CaptureStdout();
    EXPECT_EQ(pick_at(-6.44, 3.5, 4.45, 1), "Schach-Matt-Koenig Nr. 1");
    EXPECT_EQ(DrawFigureNok_off, 1);
    EXPECT_EQ(pick_at(-3.5, -0.5, 0.0), "A4");

    EXPECT_EQ(pick_at(-9.2, 3.5, 4.45, 1), "Aus_Turm 1");
    EXPECT_EQ(DrawFigureNob_off, 1);
    EXPECT_EQ(pick_at(-3.5, -3.5, 0.0), "A1");

    EXPECT_EQ(pick_at(-6.44, 3.5, 4.45, 1), "Schach-Matt-Koenig Nr. 1");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(DrawFigureNok_off, 0);
    EXPECT_EQ(pick_at(-3.5, -0.5, 0.0), "Koenig Nr. 1");
}

TEST(Picking, TheLightMarkerNamesTheRoom)
{
    open_scene();
    MiniSphere.offset = 1.0f; // bring the marker down over the board, where a field lies behind it
    const double x = 0.3, y = 0.0, z = 1.0;
    ASSERT_EQ(licht_an, 1);
    const std::string behind = pick_at(x, y, z);
    EXPECT_EQ(behind.size(), 2u) << behind; // a field name

    licht_an = 0;
    draw_frame_to_back_buffer();
    EXPECT_EQ(pick_at(x, y, z), "Waende und Boden");
}

TEST(Picking, WhereTheTurnedViewLeavesTheRoomNothingIsPicked)
{
    open_scene();
    // The top edge of the window looks at the far wall...
    EXPECT_EQ(pick_window(450, 2), "Waende und Boden");
    // ...until the scene is tipped away as the down arrow does, four times,
    // and the view passes over the wall's top into the open.
    for (int i = 0; i < 4; ++i)
        glRotatef(-5.0f, 1.0f, 0.0f, 0.0f);
    titles.clear();
    testing::internal::CaptureStdout();
    EXPECT_EQ(pick_window(450, 2, 1), " ");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(titles, std::vector<std::string>{" "});
    std::string lines;
    for (int i = 0; i < 32; ++i)
        lines += "\n Pos:   = ( 0.00, 0.00)";
    EXPECT_EQ(out, lines);
    for (const PieceInfo &piece : roster)
        EXPECT_EQ(piece.movement->state, 0) << piece.name;
    // Pieces are still found through the turned matrix.
    EXPECT_EQ(pick_at(-2.5, -3.5, 0.6), "Bauer Nr. 11");
}

TEST(Picking, AfterTheWindowIsResizedAPressStillFindsThePieceUnderIt)
{
    open_scene();
    glutDisplayFunc(my_draw);
    glutReshapeFunc(my_resize);
    const auto before = project(3.5, 2.5, 0.6); // Springer Nr. 4 on H7

    glutReshapeWindow(500, 700);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((win_width != 500 || win_height != 700) && std::chrono::steady_clock::now() < deadline)
        glutMainLoopEvent();
    ASSERT_EQ(win_width, 500);
    ASSERT_EQ(win_height, 700);

    const auto after = project(3.5, 2.5, 0.6);
    EXPECT_GT(std::hypot(after[0] - before[0], after[1] - before[1]), 50.0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(pick_at(3.5, 2.5, 0.6, 1), "Springer Nr. 4");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Fs4_Movement.state, 1);
    EXPECT_EQ(pick_at(0.5, -2.5, 0.0), "E2");
}

TEST(Picking, RepeatedPicksAgreeAndKeepTheMatrixStacksBalanced)
{
    open_scene();
    const auto projection = gl_matrix(GL_PROJECTION_MATRIX);
    const auto at = project(-2.5, -3.5, 0.6);
    const int x = static_cast<int>(std::lround(at[0])), y = static_cast<int>(std::lround(at[1]));
    constexpr int picks = 100;
    int agreeing = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < picks; ++i)
        agreeing += pick_window(x, y) == "Bauer Nr. 11";
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(agreeing, picks);
    EXPECT_EQ(gl_matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a stack over- or underflow";
    // What one pick costs on this renderer, for the record.
    const double per_pick = spent.count() / picks;
    RecordProperty("ms_per_pick", std::to_string(per_pick));
    std::printf("one pick: %.3f ms (mean of %d)\n", per_pick, picks);
}

// The canary for anything that grows with use: a person who drags the mouse
// picks on every motion event, thousands of times a minute.
TEST(Picking, ThousandsOfPicksLeaveResidentMemoryFlat)
{
    open_scene();
    const auto at = project(-3.5, -1.5, 0.6); // Laufer Nr. 1: a cone round a cylinder
    const int x = static_cast<int>(std::lround(at[0])), y = static_cast<int>(std::lround(at[1]));
    ASSERT_EQ(pick_window(x, y), "Laufer Nr. 1");
    for (int i = 0; i < 100; ++i)
        pick_window(x, y);
    const double settled = memory_in_use_mib();
    for (int i = 0; i < 2000; ++i)
        pick_window(x, y);
    const double grown = memory_in_use_mib() - settled;
    std::printf("2000 picks: memory in use %+.2f MiB from %.1f MiB\n", grown, settled);
    EXPECT_LT(grown, 4.0);
}

} // namespace
