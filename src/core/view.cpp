#include "core/view.h"

#include <GL/freeglut.h>
#include <cmath>

#include "core/roster.h"
#include "core/scene_state.h"
#include "core/toolkit.h"

namespace {
constexpr double eye_azimuth = 0.0;
constexpr double clock_step = 0.02;   // seconds of scene time per tick
constexpr unsigned timer_period = 20; // milliseconds
const GLfloat light0_position[] = {-1.0f, -2.0f, 4.0f, 0.0f}; // directional
const GLfloat light0_colour[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat front_specular[] = {0.1f, 0.1f, 1.0f, 1.0f};
const GLfloat front_shininess = 100.0f;
} // namespace

void my_view()
{
    const double d = viewer_distance;
    const double th = theta;
    eyex = std::cos(th) * (std::sin(eye_azimuth) * (-d));
    eyey = std::cos(th) * (std::cos(eye_azimuth) * (-d));
    eyez = std::sin(th) * d;

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eyex, eyey, eyez, centerx, centery, centerz, upx, upy, upz);
}

void my_resize(int width, int height)
{
    win_width = width;
    win_height = height;
    glViewport(0, 0, width, height);

    // A window of height 0 has no aspect ratio: keep the projection it had.
    if (height > 0) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(field_of_view, static_cast<double>(width) / height, z_Near, z_Far);
    }

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    my_view();

    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glLightfv(GL_LIGHT0, GL_POSITION, light0_position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light0_colour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light0_colour);
    glMaterialfv(GL_FRONT, GL_SPECULAR, front_specular);
    glMaterialf(GL_FRONT, GL_SHININESS, front_shininess);
    glEnable(GL_COLOR_MATERIAL);
}

namespace {

// Only the light marker (it circles) and moving pieces change with the clock.
// A moving piece counts while hidden too: it steps only when it is drawn. The
// draw after its arrival sets it at rest, so that frame shows it without plate.
bool picture_follows_clock()
{
    if (licht_an == 0)
        return true;
    for (const PieceInfo &piece : roster)
        if (piece.movement->state > 1)
            return true;
    return false;
}

} // namespace

void handleTimer(int)
{
    if (stop_time == 0) {
        myTime += clock_step;
        // Everything else that changes the picture asks for its own frame; a
        // still scene costs no frames.
        if (picture_follows_clock())
            post_redisplay();
    }
    glutTimerFunc(timer_period, handleTimer, 0);
}
