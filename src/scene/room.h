#pragma once

#include <GL/glu.h>

// The table and seats (translucent), the room, and the spot light's marker.
void DrawTransparenzFigur();
void DrawRaumFigur();
void DrawLichtObjects();

// The one quadric with which pieces and switch spheres draw their cylinders.
extern GLUquadricObj *q_cylinder;
void InitCylinder();
