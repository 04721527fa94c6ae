#pragma once

#include <GL/gl.h>

#include "core/roster.h"

// The body colour of each side (index side - 1); the switch spheres share it.
extern const GLfloat body_colours[2][3];

// A box of the given size in the given colour, centred at height z above the
// current origin: the rooks' tower and collar, on the board and as switch spheres.
void coloured_box(const GLfloat colour[3], GLfloat z, GLfloat sx, GLfloat sy, GLfloat sz);

// Draws one piece of the roster under the current matrix: registers and loads
// its name, steps its move, and draws it at its shown position unless hidden.
// The named procedures DrawFigureNo1 ... DrawFigureNos4 (declared in roster.h)
// are entry points over this.
void DrawPiece(int index);
