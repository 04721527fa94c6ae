#include "interaction/picking.h"

#include <GL/freeglut.h>

#include <chrono>

#include "controls/keyboard.h"
#include "core/scene_state.h"
#include "core/toolkit.h"
#include "core/view.h"
#include "interaction/selection_handlers.h"
#include "platform/motion_events.h"
#include "scene/render_pass.h"
#include "scene/selection_names.h"

namespace {
constexpr int select_buffer_size = 512; // words: 128 hits of one name each
constexpr double pick_region = 5.0;     // pixels, square, centred on the cursor
constexpr double depth_scale = 2147483648.0; // 2^31: depths run from 0 (near) to 2 (far)
const char *const nothing_picked = " ";
constexpr std::chrono::milliseconds motion_pick_interval{20}; // one frame period
// With no wheel callback registered, the toolkit reports each step of the
// wheel as a press and a release of one of these two buttons.
constexpr int wheel_away = 3;
constexpr int wheel_towards = 4;
} // namespace

unsigned int select_buffer[select_buffer_size];
const char *selected_name = nothing_picked;

void handleMouse(int button, int state, int x, int y)
{
    switch (button) {
    case GLUT_LEFT_BUTTON:
        if (state == GLUT_DOWN)
            myPickFunc(x, y, 1);
        break;
    case GLUT_RIGHT_BUTTON:
        // Cycles the light's colour 0, 1, 2, 3, 0; the release only masks again.
        if (state == GLUT_DOWN)
            MiniSphere.color_index = (MiniSphere.color_index + 1) & 3;
        else
            MiniSphere.color_index &= 3;
        break;
    case wheel_away: // one step: the camera comes nearer, as with "K"
        if (state == GLUT_DOWN)
            keyboard('K', x, y);
        break;
    case wheel_towards: // and goes farther, as with "k"
        if (state == GLUT_DOWN)
            keyboard('k', x, y);
        break;
    default: // the middle button belongs to the menu
        break;
    }
}

void handleMouseMove(int x, int y)
{
    // A pointer can send motion far faster than a pick draws the scene.
    // Picking every event left the program working off a growing queue for
    // minutes after the pointer stopped; so while more motion is waiting it
    // picks at most once per interval, and always where the motion ends.
    static std::chrono::steady_clock::time_point last_pick;
    if (later_motion_event_queued() && std::chrono::steady_clock::now() - last_pick < motion_pick_interval)
        return;
    myPickFunc(x, y, 0);
    last_pick = std::chrono::steady_clock::now();
}

void myPickFunc(int x, int y, int flag)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);

    glSelectBuffer(select_buffer_size, select_buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0); // the one entry that the render pass replaces per object

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The window's y runs down, the viewport's up.
    gluPickMatrix(x, viewport[3] - y, pick_region, pick_region, viewport);
    // The display's projection. A window of height 0 has no aspect ratio and
    // nothing to click in; take 1 rather than divide by zero.
    const double aspect = win_height > 0 ? static_cast<double>(win_width) / win_height : 1.0;
    gluPerspective(field_of_view, aspect, z_Near, z_Far);

    // The model-view matrix stays as the display left it: camera and any turns.
    glMatrixMode(GL_MODELVIEW);
    DrawObjects(GL_SELECT);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glFlush();

    const GLint hits = glRenderMode(GL_RENDER);
    processHits(hits, select_buffer);

    glMatrixMode(GL_MODELVIEW);
    post_redisplay();

    if (flag == 1)
        handle_select_events(selected_name);
}

void processHits(int count, unsigned int *buffer)
{
    selected_name = nothing_picked;
    float best_depth = 2.0f;

    // A negative count means the records overflowed: a pick on nothing. The
    // walk also stops where a record would reach past the buffer, whatever
    // its header claims.
    int at = 0;
    for (int record = 0; record < count; ++record) {
        if (at + 3 > select_buffer_size)
            break;
        const unsigned int names = buffer[at];
        const float depth = static_cast<float>(buffer[at + 1] / depth_scale);
        at += 3; // count, minimum and maximum depth
        for (unsigned int n = 0; n < names; ++n, ++at) {
            if (at >= select_buffer_size)
                break;
            if (depth < best_depth) {
                best_depth = depth;
                selected_name = get_name_from_id(buffer[at]);
            }
        }
    }

    set_window_title(selected_name);
}
