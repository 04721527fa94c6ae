#include "app/display.h"

#include <GL/freeglut.h>

#include "scene/render_pass.h"

void draw_frame()
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
        DrawObjects(GL_RENDER);
    glPopMatrix();
}

void my_draw()
{
    draw_frame();
    glutSwapBuffers();
}
