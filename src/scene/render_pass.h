#pragma once

// Draws the whole scene in its fixed order, the same for the screen (GL_RENDER)
// and for picking (GL_SELECT).
void DrawObjects(unsigned int mode);

// The pass's four groups in their order, each object between its own push and
// pop where the pass wraps it: what DrawObjects draws between two loads of name 0.
void draw_surroundings();   // table and seats, room, light marker
void draw_pieces();         // the thirty-two pieces in roster order
void draw_board();
void draw_switch_spheres(); // in their own order; each balances its own matrix
