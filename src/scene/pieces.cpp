// Placeholder until the pieces are drawn: replaced by the scene work.
#include "scene/pieces.h"

void DrawPiece(int) {}

#define SCHACH3D_PIECE_ENTRY(mov, off, init, draw, ...) \
    void draw() { DrawPiece(ROSTER_##mov); }
SCHACH3D_ROSTER(SCHACH3D_PIECE_ENTRY)
#undef SCHACH3D_PIECE_ENTRY
