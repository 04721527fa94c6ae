#pragma once

#include <GL/glu.h>

// The table and seats (translucent), the room, and the spot light's marker.
void DrawTransparenzFigur();
void DrawRaumFigur();
void DrawLichtObjects();

// The one quadric with which pieces and switch spheres draw their cylinders.
extern GLUquadricObj *q_cylinder;
void InitCylinder();

// gluCylinder with q_cylinder (made here if no king has made it yet), drawn
// from a display list so that picking loses no memory in the GL driver.
void draw_cylinder(GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks);
