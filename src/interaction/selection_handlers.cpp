// Placeholder until the handlers are built: replaced by the picking work.
#include "interaction/selection_handlers.h"

void handle_select_event(const PieceInfo &, const char *) {}
void handle_select_events(const char *) {}

#define SCHACH3D_HANDLER_ENTRY(mov, off, init, draw, handler, ...) \
    void handler(const char *name) { handle_select_event(roster[ROSTER_##mov], name); }
SCHACH3D_ROSTER(SCHACH3D_HANDLER_ENTRY)
#undef SCHACH3D_HANDLER_ENTRY
