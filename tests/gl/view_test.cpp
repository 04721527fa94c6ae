// Camera, projection and the reshape callback in a real GL context.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>

#include "app/display.h"
#include "core/roster.h"
#include "core/scene_state.h"
#include "core/toolkit.h"
#include "core/view.h"
#include "gl_scene.h"

namespace {

TEST(View, StartsWithTheEyeAboveTheNegativeYSide)
{
    open_gl_scene();
    EXPECT_NEAR(eyex, 0.0, 1e-12);
    EXPECT_NEAR(eyey, -8.0902, 5e-5);
    EXPECT_NEAR(eyez, 5.8779, 5e-5);

    // The origin is in the middle of the window; up is up.
    const auto centre = project(0, 0, 0);
    EXPECT_NEAR(centre[0], 450.0, 0.5);
    EXPECT_NEAR(centre[1], 300.0, 0.5);
    EXPECT_LT(project(0, 0, 1)[1], centre[1]);
    EXPECT_GT(project(1, 0, 0)[0], centre[0]);
}

TEST(View, ReshapeSetsViewportAndProjection)
{
    open_gl_scene();
    my_resize(640, 480);
    EXPECT_EQ(win_width, 640);
    EXPECT_EQ(win_height, 480);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);

    // gluPerspective: m[5] = cot(fov/2), m[0] = m[5] / aspect, depth from 1 to 50.
    const auto p = gl_matrix(GL_PROJECTION_MATRIX);
    const double f = 1.0 / std::tan(65.0 / 2.0 * std::numbers::pi / 180.0);
    EXPECT_NEAR(p[5], f, 1e-6);
    EXPECT_NEAR(p[0], f / (640.0 / 480.0), 1e-6);
    EXPECT_NEAR(p[10], -(50.0 + 1.0) / (50.0 - 1.0), 1e-6);
    EXPECT_NEAR(p[14], -2.0 * 50.0 * 1.0 / (50.0 - 1.0), 1e-6);

    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    GLfloat light[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, light);
    EXPECT_EQ(light[3], 0.0f); // directional
}

TEST(View, AWindowOfHeightZeroKeepsTheProjection)
{
    open_gl_scene();
    const auto before = gl_matrix(GL_PROJECTION_MATRIX);
    my_resize(900, 0);
    const auto after = gl_matrix(GL_PROJECTION_MATRIX);
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(std::isfinite(after[i])) << i;
        EXPECT_EQ(after[i], before[i]) << i;
    }
    const auto view = gl_matrix(GL_MODELVIEW_MATRIX);
    for (double v : view)
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(View, ReloadingTheCameraDiscardsTurnsOfTheScene)
{
    open_gl_scene();
    const auto plain = gl_matrix(GL_MODELVIEW_MATRIX);
    glRotatef(5, 0, 1, 0);
    EXPECT_NE(gl_matrix(GL_MODELVIEW_MATRIX), plain);
    viewer_distance = 9.0f;
    my_view();
    EXPECT_NEAR(eyey, -9.0 * std::cos(static_cast<double>(theta)), 1e-12);
    viewer_distance = 10.0f;
    my_view();
    const auto back = gl_matrix(GL_MODELVIEW_MATRIX);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(back[i], plain[i], 1e-12) << i;
}

TEST(View, TheDisplayCallbackLeavesTheMatrixStacksAsItFoundThem)
{
    open_gl_scene();
    const auto view = gl_matrix(GL_MODELVIEW_MATRIX);
    GLint depth_before;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_before);
    my_draw();
    GLint depth_after;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_after);
    EXPECT_EQ(depth_after, depth_before);
    EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), view);
}

} // namespace

namespace {

TEST(View, TheTimerAdvancesTheClockOnlyWhileItRuns)
{
    open_gl_scene();
    post_redisplay = count_redisplay;
    licht_an = 0; // the marker circles with the clock: every tick is a new picture
    handleTimer(0);
    handleTimer(0);
    EXPECT_DOUBLE_EQ(myTime, 0.04);
    EXPECT_EQ(redisplays, 2);

    stop_time = 1;
    handleTimer(0);
    EXPECT_DOUBLE_EQ(myTime, 0.04);
    EXPECT_EQ(redisplays, 2);

    // Stopped ticks still re-arm the timer: the clock runs on from where it stood.
    stop_time = 0;
    glutDisplayFunc(my_draw); // the event loop wants one
    const double before = myTime;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (myTime == before && std::chrono::steady_clock::now() < deadline)
        glutMainLoopEvent();
    EXPECT_GT(myTime, before);
}

TEST(View, TheTimerAsksForAFrameOnlyWhileThePictureMovesWithTheClock)
{
    open_gl_scene();
    post_redisplay = count_redisplay;
    handleTimer(0);
    EXPECT_DOUBLE_EQ(myTime, 0.02);
    EXPECT_EQ(redisplays, 0) << "the start scene stands still";

    // A hidden pawn on a short move: it steps only when drawn, so every tick
    // draws until the frame after its arrival has set it at rest.
    DrawFigureNo1_off = 1;
    F1_Movement.state = 2;
    F1_Movement.delta[0] = 1.0f;
    F1_Movement.T2[0] = 0.05f;
    for (int tick = 1; tick <= 3; ++tick) {
        handleTimer(0);
        EXPECT_EQ(redisplays, tick);
        draw_frame_to_back_buffer();
    }
    EXPECT_EQ(F1_Movement.state, 0);
    EXPECT_EQ(F1_Movement.pos[0], -1.5f);
    handleTimer(0);
    EXPECT_EQ(redisplays, 3);
}

} // namespace
