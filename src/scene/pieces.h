#pragma once

#include "core/roster.h"

// Draws one piece of the roster under the current matrix: registers and loads
// its name, steps its move, and draws it at its shown position unless hidden.
// The named procedures DrawFigureNo1 ... DrawFigureNos4 (declared in roster.h)
// are entry points over this.
void DrawPiece(int index);
