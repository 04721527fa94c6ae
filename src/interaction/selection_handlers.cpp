#include "interaction/selection_handlers.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/scene_state.h"
#include "scene/chess_board.h"

namespace {
// Delay between the starts of successive axes, and time per unit of distance.
constexpr double axis_step = 0.4;

// Sends an armed piece from where it rests to target, one axis after the other.
void start_move(TMovement &m, const float target[3])
{
    m.state = 2;
    std::printf("\n: Start: ");
    for (int i = 0; i < 3; ++i) {
        m.delta[i] = target[i] - m.pos[i];
        m.T1[i] = static_cast<float>(myTime + axis_step * i);
        m.T2[i] = static_cast<float>(static_cast<double>(m.T1[i]) +
                                     axis_step * std::fabs(static_cast<double>(m.delta[i])));
        std::printf("\n%1i: delta = %5.2f  T1 = %5.2f  T2 = %5.2f   ", i, m.delta[i], m.T1[i], m.T2[i]);
    }
}
} // namespace

void handle_select_event(const PieceInfo &piece, const char *name)
{
    TMovement &m = *piece.movement;
    float target[3] = {0.0f, 0.0f, 0.0f};

    if (std::strcmp(name, piece.switch_name) == 0) {
        *piece.off ^= 1; // hide or show; the move, if any, goes on
        return;
    }
    if (std::strcmp(name, piece.name) == 0) {
        if (m.state == 0) {
            m.state = 1;
        } else {
            // Give up the move: the piece rests where it is drawn now.
            m.state = 0;
            for (int i = 0; i < 3; ++i)
                m.pos[i] = m.cur[i];
        }
        return;
    }
    const int is_field = GetChessFieldPos(name, target); // prints the position line
    if (is_field && m.state == 1)
        start_move(m, target);
}

void handle_select_events(const char *name)
{
    for (const PieceInfo &piece : roster)
        handle_select_event(piece, name);
    std::fflush(stdout); // one burst per pick
}

#define SCHACH3D_HANDLER_ENTRY(mov, off, init, draw, handler, ...) \
    void handler(const char *name) { handle_select_event(roster[ROSTER_##mov], name); }
SCHACH3D_ROSTER(SCHACH3D_HANDLER_ENTRY)
#undef SCHACH3D_HANDLER_ENTRY
