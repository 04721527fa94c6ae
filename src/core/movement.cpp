#include "core/movement.h"

#include <cmath>

const float Pi = 3.1415927f;

void calc_axis_pos(float t, TMovement *m)
{
    if (m->state <= 1)
        return;

    bool all_idle = true;
    for (int i = 0; i < 3; ++i) {
        m->cur[i] = m->pos[i];
        if (m->delta[i] == 0.0f)
            continue;
        all_idle = false;
        if (t > m->T2[i]) {
            m->pos[i] = static_cast<float>(m->pos[i] + m->delta[i]);
            m->cur[i] = m->pos[i];
            m->delta[i] = 0.0f;
        } else if (t > m->T1[i]) {
            const float u = static_cast<float>((static_cast<double>(t) - m->T1[i]) /
                                               (static_cast<double>(m->T2[i]) - m->T1[i]));
            // Half a cosine: zero speed at both ends; always measured from pos, so no drift.
            const float offset = static_cast<float>((1.0 - std::cos(static_cast<double>(Pi) * u)) *
                                                    (0.5 * m->delta[i]));
            m->cur[i] = static_cast<float>(static_cast<double>(m->pos[i]) + offset);
        }
    }
    // An axis that arrives in this step still counts as busy: the record
    // returns to rest one step after the last arrival.
    if (m->state > 1 && all_idle)
        m->state = 0;
}
