#include "core/roster.h"

#include <GL/gl.h>

// Records start at rest with everything zero; the initialisers put them on their fields.
#define SCHACH3D_ROSTER_DEFINE(mov, off, ...) \
    TMovement mov;                            \
    int off;
SCHACH3D_ROSTER(SCHACH3D_ROSTER_DEFINE)
#undef SCHACH3D_ROSTER_DEFINE

const PieceInfo roster[ROSTER_COUNT] = {
#define SCHACH3D_ROSTER_ROW(mov, off, init, draw, handler, name, switch_name, x, y, kind, side) \
    {name, switch_name, x, y, PieceKind::kind, side, &mov, &off},
    SCHACH3D_ROSTER(SCHACH3D_ROSTER_ROW)
#undef SCHACH3D_ROSTER_ROW
};

void init_piece(const PieceInfo &piece)
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);

    piece.movement->pos[0] = piece.movement->cur[0] = piece.x;
    piece.movement->pos[1] = piece.movement->cur[1] = piece.y;
}

#define SCHACH3D_ROSTER_INIT(mov, off, init, ...) \
    void init() { init_piece(roster[ROSTER_##mov]); }
SCHACH3D_ROSTER(SCHACH3D_ROSTER_INIT)
#undef SCHACH3D_ROSTER_INIT
