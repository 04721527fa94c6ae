#pragma once

// One piece's move: where it rests, where it is shown, and per axis (x, y, z)
// the distance still to travel between a start and an end time on the scene clock.
struct TMovement {
    int state;      // 0 at rest, 1 armed, 2 moving
    float pos[3];   // rest position; during a move the start of each axis until it arrives
    float cur[3];   // shown position
    float delta[3]; // distance still to travel, 0 = axis idle
    float T1[3];    // start time of each axis
    float T2[3];    // end time of each axis
};

extern const float Pi;

// One animation step of m at clock time t; only acts while m->state > 1.
void calc_axis_pos(float t, TMovement *m);
