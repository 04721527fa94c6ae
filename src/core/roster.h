#pragma once

#include "core/movement.h"

// The thirty-two pieces in roster order: the order of initialisation, drawing
// and handling. One row per piece; every per-piece name of the program is
// written here once, and everything else is generated from this list.
//
//   X(movement record, off flag, initialiser, drawing procedure, pick handler,
//     selection name, switch name, start x, start y, kind, side)
#define SCHACH3D_ROSTER(X)                                                                                               \
    X(F1_Movement,   DrawFigureNo1_off,  my_init,    DrawFigureNo1,  handleSelectEvent,    "Bauer Nr. 11",   "Aus_Bauer 11",             -2.5f, -3.5f, Pawn,   1) \
    X(F2_Movement,   DrawFigureNo2_off,  my_init2,   DrawFigureNo2,  handleSelectEvent2,   "Bauer Nr. 12",   "Aus_Bauer 12",             -2.5f, -2.5f, Pawn,   1) \
    X(F3_Movement,   DrawFigureNo3_off,  my_init3,   DrawFigureNo3,  handleSelectEvent3,   "Bauer Nr. 13",   "Aus_Bauer 13",             -2.5f, -1.5f, Pawn,   1) \
    X(F4_Movement,   DrawFigureNo4_off,  my_init4,   DrawFigureNo4,  handleSelectEvent4,   "Bauer Nr. 14",   "Aus_Bauer 14",             -2.5f, -0.5f, Pawn,   1) \
    X(F5_Movement,   DrawFigureNo5_off,  my_init5,   DrawFigureNo5,  handleSelectEvent5,   "Bauer Nr. 15",   "Aus_Bauer 15",             -2.5f,  0.5f, Pawn,   1) \
    X(F6_Movement,   DrawFigureNo6_off,  my_init6,   DrawFigureNo6,  handleSelectEvent6,   "Bauer Nr. 16",   "Aus_Bauer 16",             -2.5f,  1.5f, Pawn,   1) \
    X(F7_Movement,   DrawFigureNo7_off,  my_init7,   DrawFigureNo7,  handleSelectEvent7,   "Bauer Nr. 17",   "Aus_Bauer 17",             -2.5f,  2.5f, Pawn,   1) \
    X(F8_Movement,   DrawFigureNo8_off,  my_init8,   DrawFigureNo8,  handleSelectEvent8,   "Bauer Nr. 18",   "Aus_Bauer 18",             -2.5f,  3.5f, Pawn,   1) \
    X(Fk_Movement,   DrawFigureNok_off,  my_initk,   DrawFigureNok,  handleSelectEventk,   "Koenig Nr. 1",   "Schach-Matt-Koenig Nr. 1", -3.5f, -0.5f, King,   1) \
    X(Fb_Movement,   DrawFigureNob_off,  my_initb,   DrawFigureNob,  handleSelectEventb,   "Turm Nr. 1",     "Aus_Turm 1",               -3.5f, -3.5f, Rook,   1) \
    X(Fb2_Movement,  DrawFigureNob2_off, my_initb2,  DrawFigureNob2, handleSelectEventb2,  "Turm Nr. 2",     "Aus_Turm 2",               -3.5f,  3.5f, Rook,   1) \
    X(Fa_Movement,   DrawFigureNoa1_off, my_inita,   DrawFigureNoa,  handleSelectEventa,   "Laufer Nr. 1",   "Aus_Laeufer 1",            -3.5f, -1.5f, Bishop, 1) \
    X(Fa2_Movement,  DrawFigureNoa2_off, my_inita2,  DrawFigureNoa2, handleSelectEventa2,  "Laufer Nr. 2",   "Aus_Laeufer 2",            -3.5f,  1.5f, Bishop, 1) \
    X(Fd1_Movement,  DrawFigureNod1_off, my_initd1,  DrawFigureNod1, handleSelectEventd1,  "Dame Nr. 1",     "Aus_Dame Nr. 1",           -3.5f,  0.5f, Queen,  1) \
    X(Fs1_Movement,  DrawFigureNos1_off, my_inits1,  DrawFigureNos1, handleSelectEvents1,  "Springer Nr. 1", "Aus_Springer Nr. 1",       -3.5f, -2.5f, Knight, 1) \
    X(Fs2_Movement,  DrawFigureNos2_off, my_inits2,  DrawFigureNos2, handleSelectEvents2,  "Springer Nr. 2", "Aus_Springer Nr. 2",       -3.5f,  2.5f, Knight, 1) \
    X(F21_Movement,  DrawFigureNo21_off, my_init21,  DrawFigureNo21, handleSelectEvent21,  "Bauer Nr. 21",   "Aus_Bauer 21",              2.5f, -3.5f, Pawn,   2) \
    X(F22_Movement,  DrawFigureNo22_off, my_init22,  DrawFigureNo22, handleSelectEvent22,  "Bauer Nr. 22",   "Aus_Bauer 22",              2.5f, -2.5f, Pawn,   2) \
    X(F23_Movement,  DrawFigureNo23_off, my_init23,  DrawFigureNo23, handleSelectEvent23,  "Bauer Nr. 23",   "Aus_Bauer 23",              2.5f, -1.5f, Pawn,   2) \
    X(F24_Movement,  DrawFigureNo24_off, my_init24,  DrawFigureNo24, handleSelectEvent24,  "Bauer Nr. 24",   "Aus_Bauer 24",              2.5f, -0.5f, Pawn,   2) \
    X(F25_Movement,  DrawFigureNo25_off, my_init25,  DrawFigureNo25, handleSelectEvent25,  "Bauer Nr. 25",   "Aus_Bauer 25",              2.5f,  0.5f, Pawn,   2) \
    X(F26_Movement,  DrawFigureNo26_off, my_init26,  DrawFigureNo26, handleSelectEvent26,  "Bauer Nr. 26",   "Aus_Bauer 26",              2.5f,  1.5f, Pawn,   2) \
    X(F27_Movement,  DrawFigureNo27_off, my_init27,  DrawFigureNo27, handleSelectEvent27,  "Bauer Nr. 27",   "Aus_Bauer 27",              2.5f,  2.5f, Pawn,   2) \
    X(F28_Movement,  DrawFigureNo28_off, my_init28,  DrawFigureNo28, handleSelectEvent28,  "Bauer Nr. 28",   "Aus_Bauer 28",              2.5f,  3.5f, Pawn,   2) \
    X(Fk2_Movement,  DrawFigureNok2_off, my_initk2,  DrawFigureNok2, handleSelectEventk2,  "Koenig Nr. 2",   "Schach-Matt-Koenig Nr. 2",  3.5f,  0.5f, King,   2) \
    X(Fb3_Movement,  DrawFigureNob3_off, my_initb3,  DrawFigureNob3, handleSelectEventb3,  "Turm Nr. 3",     "Aus_Turm 3",                3.5f,  3.5f, Rook,   2) \
    X(Fb4_Movement,  DrawFigureNob4_off, my_initb4,  DrawFigureNob4, handleSelectEventb4,  "Turm Nr. 4",     "Aus_Turm 4",                3.5f, -3.5f, Rook,   2) \
    X(Fa3_Movement,  DrawFigureNoa3_off, my_inita3,  DrawFigureNoa3, handleSelectEventa3,  "Laufer Nr. 3",   "Aus_Laeufer 3",             3.5f, -1.5f, Bishop, 2) \
    X(Fa4_Movement,  DrawFigureNoa4_off, my_inita4,  DrawFigureNoa4, handleSelectEventa4,  "Laufer Nr. 4",   "Aus_Laeufer 4",             3.5f,  1.5f, Bishop, 2) \
    X(Fd2_Movement,  DrawFigureNod2_off, my_initd2,  DrawFigureNod2, handleSelectEventd2,  "Dame Nr. 2",     "Aus_Dame Nr. 2",            3.5f, -0.5f, Queen,  2) \
    X(Fs3_Movement,  DrawFigureNos3_off, my_inits3,  DrawFigureNos3, handleSelectEvents3,  "Springer Nr. 3", "Aus_Springer Nr. 3",        3.5f, -2.5f, Knight, 2) \
    X(Fs4_Movement,  DrawFigureNos4_off, my_inits4,  DrawFigureNos4, handleSelectEvents4,  "Springer Nr. 4", "Aus_Springer Nr. 4",        3.5f,  2.5f, Knight, 2)

enum class PieceKind { Pawn, King, Rook, Bishop, Queen, Knight };

struct PieceInfo {
    const char *name;        // selection name of the piece
    const char *switch_name; // selection name of its switch sphere
    float x, y;              // start field centre
    PieceKind kind;
    int side;                // 1: starts on A/B, 2: starts on G/H
    TMovement *movement;
    int *off;                // non-zero hides the piece
};

// Row index of each piece, named after its movement record (ROSTER_F1_Movement ...).
enum RosterIndex {
#define SCHACH3D_ROSTER_INDEX(mov, ...) ROSTER_##mov,
    SCHACH3D_ROSTER(SCHACH3D_ROSTER_INDEX)
#undef SCHACH3D_ROSTER_INDEX
    ROSTER_COUNT
};

extern const PieceInfo roster[ROSTER_COUNT];

#define SCHACH3D_ROSTER_DECLARE(mov, off, init, draw, handler, ...) \
    extern TMovement mov;                                           \
    extern int off;                                                 \
    void init();                                                    \
    void draw();                                                    \
    void handler(const char *name);
SCHACH3D_ROSTER(SCHACH3D_ROSTER_DECLARE)
#undef SCHACH3D_ROSTER_DECLARE

// What every initialiser does for its own row: the common GL state, and the
// piece on its start field.
void init_piece(const PieceInfo &piece);
