#include "scene/render_pass.h"

#include <GL/gl.h>

#include "core/roster.h"
#include "scene/chess_board.h"
#include "scene/room.h"
#include "scene/switch_spheres.h"

void DrawObjects(unsigned int)
{
    // The same objects in the same order for the screen and for picking; render
    // state (blending, lighting) passes from each object to the next.
    glLoadName(0);
    draw_surroundings();
    draw_pieces();
    draw_board();
    draw_switch_spheres();
    glLoadName(0);
}

void draw_surroundings()
{
    glPushMatrix();
        DrawTransparenzFigur();
    glPopMatrix();
    glPushMatrix();
        DrawRaumFigur();
    glPopMatrix();
    glPushMatrix();
        DrawLichtObjects(); // loads no name: a pick on it names the room
    glPopMatrix();
}

void draw_pieces()
{
#define SCHACH3D_DRAW_PIECE(mov, off, init, draw, ...) \
    glPushMatrix();                                     \
    draw();                                             \
    glPopMatrix();
    SCHACH3D_ROSTER(SCHACH3D_DRAW_PIECE)
#undef SCHACH3D_DRAW_PIECE
}

void draw_board()
{
    glPushMatrix();
        DrawChessBoard();
    glPopMatrix();
}

void draw_switch_spheres()
{
#define SCHACH3D_DRAW_SWITCH_SPHERE(proc, ...) proc();
    SCHACH3D_SWITCH_SPHERES(SCHACH3D_DRAW_SWITCH_SPHERE)
#undef SCHACH3D_DRAW_SWITCH_SPHERE
}
