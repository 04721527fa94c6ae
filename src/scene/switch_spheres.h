#pragma once

#include "core/roster.h"

// The thirty-two switch spheres in their drawing order: small models of the
// pieces above the board's far edge; picking one hides or shows its piece.
// Each takes its selection name, side and shape from its piece's roster row.
//
//   X(procedure, movement record of its piece, x, y, z, shape parameter)
// The parameter is the width for a rook and the head step along x for a knight.
#define SCHACH3D_SWITCH_SPHERES(X) \
    X(DrawSwitchSphere1,  F1_Movement,  -9.18f, 3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere2,  F2_Movement,  -8.27f, 3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere3,  F3_Movement,  -7.34f, 3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere4,  F4_Movement,  -6.45f, 3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere5,  F5_Movement,  -5.54f, 3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere6,  F6_Movement,  -4.63f, 3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere7,  F7_Movement,  -3.7f,  3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere8,  F8_Movement,  -2.8f,  3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere21, F21_Movement, 2.8f,   3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere22, F22_Movement, 3.7f,   3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere23, F23_Movement, 4.63f,  3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere24, F24_Movement, 5.57f,  3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere25, F25_Movement, 6.47f,  3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere26, F26_Movement, 7.35f,  3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere27, F27_Movement, 8.29f,  3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSphere28, F28_Movement, 9.2f,   3.5f, 3.0f, 0.0f) \
    X(DrawSwitchSpherek1, Fk_Movement,  -6.44f, 3.5f, 4.0f, 0.0f) \
    X(DrawSwitchSpherek2, Fk2_Movement, 5.57f,  3.5f, 4.0f, 0.0f) \
    X(DrawSwitchSphereb1, Fb_Movement,  -9.2f,  3.5f, 4.3f, 0.2f) \
    X(DrawSwitchSphereb2, Fb2_Movement, -2.76f, 3.5f, 4.3f, 0.22f) \
    X(DrawSwitchSphereb3, Fb3_Movement, 9.26f,  3.5f, 4.3f, 0.2f) \
    X(DrawSwitchSphereb4, Fb4_Movement, 2.8f,   3.5f, 4.3f, 0.22f) \
    X(DrawSwitchSphered1, Fd1_Movement, -5.54f, 3.5f, 4.0f, 0.0f) \
    X(DrawSwitchSphered2, Fd2_Movement, 6.47f,  3.5f, 4.0f, 0.0f) \
    X(DrawSwitchSpherea,  Fa_Movement,  -7.35f, 3.5f, 4.0f, 0.0f) \
    X(DrawSwitchSpherea2, Fa2_Movement, -4.6f,  3.5f, 4.0f, 0.0f) \
    X(DrawSwitchSpherea3, Fa3_Movement, 7.35f,  3.5f, 4.0f, 0.0f) \
    X(DrawSwitchSpherea4, Fa4_Movement, 4.6f,   3.5f, 4.0f, 0.0f) \
    X(DrawSwitchSpheres1, Fs1_Movement, -8.2f,  3.5f, 4.1f, 0.1f) \
    X(DrawSwitchSpheres2, Fs2_Movement, -3.7f,  3.5f, 4.1f, 0.1f) \
    X(DrawSwitchSpheres3, Fs3_Movement, 8.3f,   3.5f, 4.1f, -0.1f) \
    X(DrawSwitchSpheres4, Fs4_Movement, 3.8f,   3.5f, 4.1f, -0.1f)

#define SCHACH3D_SWITCH_SPHERE_DECLARE(proc, ...) void proc();
SCHACH3D_SWITCH_SPHERES(SCHACH3D_SWITCH_SPHERE_DECLARE)
#undef SCHACH3D_SWITCH_SPHERE_DECLARE
