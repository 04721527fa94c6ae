#pragma once

#include "core/roster.h"

// What a picked name means for one piece: its switch name hides or shows it,
// its own name arms or stops it, a field name sends it there if armed.
// The named handlers handleSelectEvent ... handleSelectEvents4 (declared in
// roster.h) are entry points over this.
void handle_select_event(const PieceInfo &piece, const char *name);

// All thirty-two handlers in roster order, as after every left-button pick.
void handle_select_events(const char *name);
