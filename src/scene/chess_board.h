#pragma once

// The board: 8 by 8 unit fields in the plane z = 0, A1 centred at (-3.5, -3.5, 0).
void DrawChessBoard();

// 1 if the first two characters of name are a field name ("A".."H", "1".."8"),
// else 0. Always writes all three floats and prints one position line.
int GetChessFieldPos(const char *name, float pos[3]);
