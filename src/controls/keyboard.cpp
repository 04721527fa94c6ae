// Character keys and special keys: each handled key changes the scene state
// or the GL state and ends with one redisplay request; any other key is ignored.
#include "controls/keyboard.h"

#include <GL/freeglut.h>
#include <cmath>
#include <cstdlib>

#include "controls/help.h"
#include "controls/wall_clock.h"
#include "core/scene_state.h"
#include "core/toolkit.h"
#include "core/view.h"

namespace {

constexpr unsigned char key_escape = 27;
constexpr float light_step = 0.25f;   // exact in single precision
constexpr double grow = 1.1;          // factors in double precision, stored back as float
constexpr double shrink = 0.9;
constexpr float exponent_min = 1.0f;
constexpr float exponent_max = 1000.0f;
constexpr float cutoff_grow_limit = 180.0f;
constexpr float cutoff_shrink_limit = 1.0f;
constexpr float turn_step = 5.0f;     // degrees per arrow key press

void toggle(int &flag) { flag = flag == 0 ? 1 : 0; }

// Scale a float by a double factor: the product is formed in double.
void scale(float &value, double factor) { value = static_cast<float>(value * factor); }

// The viewing distance has no bounds, but a product that leaves the normal
// floats ends at 0 or infinity, where the camera has no direction and the
// other key never brings it back: such a press keeps the distance it had.
void scale_distance(double factor)
{
    const float scaled = static_cast<float>(viewer_distance * factor);
    if (std::isnormal(scaled))
        viewer_distance = scaled;
}

} // namespace

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case key_escape:
    case 'q':
        std::exit(0);
    case ' ':
        stop_time ^= 1;
        break;
    case '+':
        MiniSphere1.offset += light_step;
        break;
    case '-':
        MiniSphere1.offset -= light_step;
        break;
    case 'o':
        MiniSphere.offset += light_step;
        break;
    case 'u':
        MiniSphere.offset -= light_step;
        break;
    case 'E': // change first, then clamp what was stored
        scale(Spot_Exponent, grow);
        if (Spot_Exponent > exponent_max)
            Spot_Exponent = exponent_max;
        break;
    case 'e':
        scale(Spot_Exponent, shrink);
        if (Spot_Exponent < exponent_min)
            Spot_Exponent = exponent_min;
        break;
    case 'C': // test the old angle, then change it: it may end past the bound
        if (Spot_CutoffAngle < cutoff_grow_limit)
            scale(Spot_CutoffAngle, grow);
        break;
    case 'c':
        if (Spot_CutoffAngle > cutoff_shrink_limit)
            scale(Spot_CutoffAngle, shrink);
        break;
    case 'k':
        scale_distance(grow);
        my_view();
        break;
    case 'K':
        scale_distance(shrink);
        my_view();
        break;
    case 'a':
        toggle(licht_an);
        break;
    case 'd':
        toggle(Transparez_ein);
        break;
    case 't':
        toggle(tex_ok);
        break;
    case 'p':
        glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
        break;
    case 'l':
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        break;
    case 'f':
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        break;
    case 'h':
        help();
        break;
    case 'z':
        uhrzeit();
        break;
    default:
        return;
    }
    post_redisplay();
}

void handleSpecialKeys(int key, int, int)
{
    // The turns multiply onto the modelview matrix, so they add up until the
    // camera is reloaded.
    switch (key) {
    case GLUT_KEY_F1:
        help();
        display_help();
        break;
    case GLUT_KEY_F2:
        display_help();
        break;
    case GLUT_KEY_LEFT:
        glRotatef(turn_step, 0.0f, 1.0f, 0.0f);
        break;
    case GLUT_KEY_RIGHT:
        glRotatef(-turn_step, 0.0f, 1.0f, 0.0f);
        break;
    case GLUT_KEY_UP:
        glRotatef(turn_step, 1.0f, 0.0f, 0.0f);
        break;
    case GLUT_KEY_DOWN:
        glRotatef(-turn_step, 1.0f, 0.0f, 0.0f);
        break;
    default:
        return;
    }
    post_redisplay();
}
