#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/movement.h"

namespace {

// A pawn on B1 sent to D3 at clock 10.0, set up as the pick handler does it.
TMovement b1_to_d3()
{
    TMovement m{};
    m.state = 2;
    m.pos[0] = m.cur[0] = -2.5f;
    m.pos[1] = m.cur[1] = -3.5f;
    const float target[3] = {-0.5f, -1.5f, 0.0f};
    for (int i = 0; i < 3; ++i) {
        m.delta[i] = target[i] - m.pos[i];
        m.T1[i] = static_cast<float>(10.0 + 0.4 * i);
        m.T2[i] = static_cast<float>(m.T1[i] + 0.4 * std::abs(m.delta[i]));
    }
    return m;
}

TEST(Movement, B1ToD3EasesAxisByAxisAndComesToRest)
{
    TMovement m = b1_to_d3();
    EXPECT_FLOAT_EQ(m.delta[0], 2.0f);
    EXPECT_FLOAT_EQ(m.delta[1], 2.0f);
    EXPECT_FLOAT_EQ(m.T2[0], 10.8f);
    EXPECT_FLOAT_EQ(m.T2[1], 11.2f);
    EXPECT_FLOAT_EQ(m.T2[2], 10.8f);

    struct Step {
        float t, x, y;
        int state;
        float pos_x, pos_y;
    };
    const Step steps[] = {
        {10.2f, -2.2071f, -3.5f, 2, -2.5f, -3.5f},
        {10.6f, -0.7929f, -3.2071f, 2, -2.5f, -3.5f},
        {11.0f, -0.5f, -1.7929f, 2, -0.5f, -3.5f}, // x arrives
        {11.3f, -0.5f, -1.5f, 2, -0.5f, -1.5f},    // y arrives
        {11.32f, -0.5f, -1.5f, 0, -0.5f, -1.5f},   // all idle at entry: rest
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.t);
        calc_axis_pos(s.t, &m);
        EXPECT_NEAR(m.cur[0], s.x, 5e-5);
        EXPECT_NEAR(m.cur[1], s.y, 5e-5);
        EXPECT_EQ(m.cur[2], 0.0f);
        EXPECT_EQ(m.state, s.state);
        EXPECT_EQ(m.pos[0], s.pos_x);
        EXPECT_EQ(m.pos[1], s.pos_y);
    }
    EXPECT_EQ(m.delta[0], 0.0f);
    EXPECT_EQ(m.delta[1], 0.0f);
}

TEST(Movement, ArmedOrRestingRecordsAreLeftAlone)
{
    for (int state : {0, 1}) {
        TMovement m = b1_to_d3();
        m.state = state;
        m.cur[0] = 7.0f; // a shown position the step would overwrite
        const TMovement before = m;
        calc_axis_pos(10.5f, &m);
        EXPECT_EQ(std::memcmp(&m, &before, sizeof m), 0) << "state " << state;
    }
}

TEST(Movement, AtTheEndTimeTheEaseGivesTheTargetWithoutArriving)
{
    TMovement m = b1_to_d3();
    calc_axis_pos(10.8f, &m);
    EXPECT_NEAR(m.cur[0], -0.5f, 1e-6);
    EXPECT_EQ(m.pos[0], -2.5f); // not arrived: t is not past T2
    EXPECT_EQ(m.delta[0], 2.0f);
}

TEST(Movement, StepsAreRepeatableAndAnArrivalEndsTheMoveOnTheNextStep)
{
    TMovement m = b1_to_d3();
    calc_axis_pos(10.6f, &m);
    const float x = m.cur[0], y = m.cur[1];
    calc_axis_pos(10.6f, &m);
    EXPECT_EQ(m.cur[0], x);
    EXPECT_EQ(m.cur[1], y);

    calc_axis_pos(12.0f, &m); // both axes arrive in this step
    EXPECT_EQ(m.state, 2);
    calc_axis_pos(12.0f, &m);
    EXPECT_EQ(m.state, 0);
    EXPECT_EQ(m.cur[0], -0.5f);
    EXPECT_EQ(m.cur[1], -1.5f);
}

TEST(Movement, AMoveOfNoDistanceEndsOnItsFirstStep)
{
    TMovement m{};
    m.state = 2;
    m.pos[0] = m.cur[0] = 1.5f;
    m.T1[1] = m.T2[1] = 3.0f;
    calc_axis_pos(0.0f, &m);
    EXPECT_EQ(m.state, 0);
    EXPECT_EQ(m.cur[0], 1.5f);
}

TEST(Movement, YStartsWhileALongXMoveIsStillUnderway)
{
    TMovement m{};
    m.state = 2;
    m.delta[0] = 5.0f;
    m.delta[1] = 1.0f;
    m.T1[0] = 0.0f;
    m.T2[0] = 2.0f;
    m.T1[1] = 0.4f;
    m.T2[1] = 0.8f;
    calc_axis_pos(0.6f, &m);
    EXPECT_GT(m.cur[0], 0.0f);
    EXPECT_LT(m.cur[0], 5.0f);
    EXPECT_NEAR(m.cur[1], 0.5f, 1e-6); // half way: the cosine's midpoint
}

} // namespace
