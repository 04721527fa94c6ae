#include "gl_scene.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/display.h"
#include "core/roster.h"
#include "core/view.h"
#include "interaction/picking.h"

void open_gl_scene(int width, int height)
{
    // The scene state is global and starts fresh only in a new process.
    static bool opened = false;
    if (opened) {
        std::fprintf(stderr, "gl tests need a process each: run them through ctest or one --gtest_filter at a time\n");
        std::abort();
    }
    opened = true;
    int argc = 1;
    char name[] = "gl_tests";
    char *argv[] = {name, nullptr};
    glutInitWindowSize(width, height);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("gl_tests");
#define GL_SCENE_INIT(mov, off, init, ...) init();
    SCHACH3D_ROSTER(GL_SCENE_INIT)
#undef GL_SCENE_INIT
    my_resize(width, height);
}

std::array<double, 3> project(double x, double y, double z)
{
    GLdouble model[16], proj[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(x, y, z, model, proj, viewport, &wx, &wy, &wz);
    return {wx, viewport[3] - wy, wz};
}

std::array<GLdouble, 16> gl_matrix(GLenum which)
{
    std::array<GLdouble, 16> m{};
    glGetDoublev(which, m.data());
    return m;
}

std::string pick_at(double x, double y, double z, int flag)
{
    const auto w = project(x, y, z);
    myPickFunc(static_cast<int>(std::lround(w[0])), static_cast<int>(std::lround(w[1])), flag);
    return selected_name;
}

std::array<float, 3> back_buffer_rgb(int x, int y)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::array<float, 3> rgb{};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewport[3] - 1 - y, 1, 1, GL_RGB, GL_FLOAT, rgb.data());
    return rgb;
}

void draw_frame_to_back_buffer()
{
    draw_frame();
    glFinish();
}

int redisplays = 0;

void count_redisplay() { ++redisplays; }
