#pragma once

#include "core/roster.h"

// The thirty-two switch spheres in their drawing order: small models of the
// pieces above the board's far edge; picking one hides or shows its piece.
//
//   X(procedure, selection name, off flag of its piece, x, y, z, side, shape, shape parameter)
// The parameter is the width for a rook and the head step along x for a knight.
#define SCHACH3D_SWITCH_SPHERES(X)                                                                      \
    X(DrawSwitchSphere1,  "Aus_Bauer 11",             DrawFigureNo1_off,  -9.18f, 3.5f, 3.0f, 1, Pawn,   0.0f)  \
    X(DrawSwitchSphere2,  "Aus_Bauer 12",             DrawFigureNo2_off,  -8.27f, 3.5f, 3.0f, 1, Pawn,   0.0f)  \
    X(DrawSwitchSphere3,  "Aus_Bauer 13",             DrawFigureNo3_off,  -7.34f, 3.5f, 3.0f, 1, Pawn,   0.0f)  \
    X(DrawSwitchSphere4,  "Aus_Bauer 14",             DrawFigureNo4_off,  -6.45f, 3.5f, 3.0f, 1, Pawn,   0.0f)  \
    X(DrawSwitchSphere5,  "Aus_Bauer 15",             DrawFigureNo5_off,  -5.54f, 3.5f, 3.0f, 1, Pawn,   0.0f)  \
    X(DrawSwitchSphere6,  "Aus_Bauer 16",             DrawFigureNo6_off,  -4.63f, 3.5f, 3.0f, 1, Pawn,   0.0f)  \
    X(DrawSwitchSphere7,  "Aus_Bauer 17",             DrawFigureNo7_off,  -3.7f,  3.5f, 3.0f, 1, Pawn,   0.0f)  \
    X(DrawSwitchSphere8,  "Aus_Bauer 18",             DrawFigureNo8_off,  -2.8f,  3.5f, 3.0f, 1, Pawn,   0.0f)  \
    X(DrawSwitchSphere21, "Aus_Bauer 21",             DrawFigureNo21_off,  2.8f,  3.5f, 3.0f, 2, Pawn,   0.0f)  \
    X(DrawSwitchSphere22, "Aus_Bauer 22",             DrawFigureNo22_off,  3.7f,  3.5f, 3.0f, 2, Pawn,   0.0f)  \
    X(DrawSwitchSphere23, "Aus_Bauer 23",             DrawFigureNo23_off,  4.63f, 3.5f, 3.0f, 2, Pawn,   0.0f)  \
    X(DrawSwitchSphere24, "Aus_Bauer 24",             DrawFigureNo24_off,  5.57f, 3.5f, 3.0f, 2, Pawn,   0.0f)  \
    X(DrawSwitchSphere25, "Aus_Bauer 25",             DrawFigureNo25_off,  6.47f, 3.5f, 3.0f, 2, Pawn,   0.0f)  \
    X(DrawSwitchSphere26, "Aus_Bauer 26",             DrawFigureNo26_off,  7.35f, 3.5f, 3.0f, 2, Pawn,   0.0f)  \
    X(DrawSwitchSphere27, "Aus_Bauer 27",             DrawFigureNo27_off,  8.29f, 3.5f, 3.0f, 2, Pawn,   0.0f)  \
    X(DrawSwitchSphere28, "Aus_Bauer 28",             DrawFigureNo28_off,  9.2f,  3.5f, 3.0f, 2, Pawn,   0.0f)  \
    X(DrawSwitchSpherek1, "Schach-Matt-Koenig Nr. 1", DrawFigureNok_off,  -6.44f, 3.5f, 4.0f, 1, King,   0.0f)  \
    X(DrawSwitchSpherek2, "Schach-Matt-Koenig Nr. 2", DrawFigureNok2_off,  5.57f, 3.5f, 4.0f, 2, King,   0.0f)  \
    X(DrawSwitchSphereb1, "Aus_Turm 1",               DrawFigureNob_off,  -9.2f,  3.5f, 4.3f, 1, Rook,   0.2f)  \
    X(DrawSwitchSphereb2, "Aus_Turm 2",               DrawFigureNob2_off, -2.76f, 3.5f, 4.3f, 1, Rook,   0.22f) \
    X(DrawSwitchSphereb3, "Aus_Turm 3",               DrawFigureNob3_off,  9.26f, 3.5f, 4.3f, 2, Rook,   0.2f)  \
    X(DrawSwitchSphereb4, "Aus_Turm 4",               DrawFigureNob4_off,  2.8f,  3.5f, 4.3f, 2, Rook,   0.22f) \
    X(DrawSwitchSphered1, "Aus_Dame Nr. 1",           DrawFigureNod1_off, -5.54f, 3.5f, 4.0f, 1, Queen,  0.0f)  \
    X(DrawSwitchSphered2, "Aus_Dame Nr. 2",           DrawFigureNod2_off,  6.47f, 3.5f, 4.0f, 2, Queen,  0.0f)  \
    X(DrawSwitchSpherea,  "Aus_Laeufer 1",            DrawFigureNoa1_off, -7.35f, 3.5f, 4.0f, 1, Bishop, 0.0f)  \
    X(DrawSwitchSpherea2, "Aus_Laeufer 2",            DrawFigureNoa2_off, -4.6f,  3.5f, 4.0f, 1, Bishop, 0.0f)  \
    X(DrawSwitchSpherea3, "Aus_Laeufer 3",            DrawFigureNoa3_off,  7.35f, 3.5f, 4.0f, 2, Bishop, 0.0f)  \
    X(DrawSwitchSpherea4, "Aus_Laeufer 4",            DrawFigureNoa4_off,  4.6f,  3.5f, 4.0f, 2, Bishop, 0.0f)  \
    X(DrawSwitchSpheres1, "Aus_Springer Nr. 1",       DrawFigureNos1_off, -8.2f,  3.5f, 4.1f, 1, Knight, 0.1f)  \
    X(DrawSwitchSpheres2, "Aus_Springer Nr. 2",       DrawFigureNos2_off, -3.7f,  3.5f, 4.1f, 1, Knight, 0.1f)  \
    X(DrawSwitchSpheres3, "Aus_Springer Nr. 3",       DrawFigureNos3_off,  8.3f,  3.5f, 4.1f, 2, Knight, -0.1f) \
    X(DrawSwitchSpheres4, "Aus_Springer Nr. 4",       DrawFigureNos4_off,  3.8f,  3.5f, 4.1f, 2, Knight, -0.1f)

#define SCHACH3D_SWITCH_SPHERE_DECLARE(proc, ...) void proc();
SCHACH3D_SWITCH_SPHERES(SCHACH3D_SWITCH_SPHERE_DECLARE)
#undef SCHACH3D_SWITCH_SPHERE_DECLARE
