#include "scene/switch_spheres.h"

#include <GL/freeglut.h>

#include "scene/pieces.h"
#include "scene/room.h"
#include "scene/selection_names.h"

namespace {

struct SwitchSphere {
    int piece; // roster row: the name that a pick of this sphere yields, its side and shape
    GLfloat x, y, z;
    GLfloat parameter; // rook: width; knight: head step along x (towards x = 0)
};

enum SwitchSphereIndex {
#define SCHACH3D_SWITCH_SPHERE_INDEX(proc, ...) SWITCH_##proc,
    SCHACH3D_SWITCH_SPHERES(SCHACH3D_SWITCH_SPHERE_INDEX)
#undef SCHACH3D_SWITCH_SPHERE_INDEX
    SWITCH_SPHERE_COUNT
};

const SwitchSphere switch_spheres[] = {
#define SCHACH3D_SWITCH_SPHERE_ROW(proc, mov, x, y, z, parameter) {ROSTER_##mov, x, y, z, parameter},
    SCHACH3D_SWITCH_SPHERES(SCHACH3D_SWITCH_SPHERE_ROW)
#undef SCHACH3D_SWITCH_SPHERE_ROW
};
static_assert(sizeof switch_spheres / sizeof switch_spheres[0] == SWITCH_SPHERE_COUNT);
static_assert(static_cast<int>(SWITCH_SPHERE_COUNT) == static_cast<int>(ROSTER_COUNT), "one switch sphere per piece");

unsigned int switch_ids[SWITCH_SPHERE_COUNT]; // 0 until the first draw registers the name

// The small models, built upward along +z from the sphere's point.

void draw_small_pawn()
{
    glutSolidCone(0.2, 0.4, 12, 2);
    glTranslatef(0.0f, 0.0f, 0.45f);
    glutSolidSphere(0.16, 10, 8);
}

void draw_small_king()
{
    InitCylinder();
    draw_cylinder(0.15, 0.15, 0.6, 20, 10);
    glTranslatef(0.0f, 0.0f, 0.45f);
    glutSolidSphere(0.22, 5, 12);
}

void draw_small_rook(const GLfloat colour[3], GLfloat width)
{
    coloured_box(colour, 0.0f, width, width, 0.4f);
    coloured_box(colour, 0.14f, 0.3f, 0.3f, 0.08f);
    glTranslatef(0.0f, 0.0f, 0.16f);
    glutSolidSphere(0.1, 12, 12);
}

void draw_small_queen()
{
    draw_cylinder(0.2, 0.1, 0.4, 20, 10);
    glTranslatef(0.0f, 0.0f, 0.6f);
    glutSolidCone(0.15, 0.2, 20, 10);
    glutSolidSphere(0.2, 12, 12);
    glutSolidCone(0.05, 0.4, 20, 10);
    glutSolidSphere(0.22, 12, 12);
    glTranslatef(0.0f, 0.0f, -0.03f);
    glutSolidTorus(0.08, 0.2, 17, 17);
    glTranslatef(0.0f, 0.0f, -0.12f);
    glutSolidTorus(0.08, 0.2, 17, 17);
}

void draw_small_bishop()
{
    glutSolidCone(0.2, 0.6, 12, 2);
    InitCylinder();
    draw_cylinder(0.15, 0.15, 0.35, 20, 10);
}

void draw_small_knight(GLfloat head_step)
{
    glutSolidSphere(0.15, 16, 16);
    const double neck[] = {0.14, 0.13, 0.12, 0.11};
    for (double radius : neck) {
        glTranslatef(0.0f, 0.0f, 0.08f);
        glutSolidSphere(radius, 16, 16);
    }
    glTranslatef(head_step, 0.0f, 0.0f);
    glutSolidSphere(0.14, 16, 16);
    glTranslatef(head_step, 0.0f, 0.0f);
    glutSolidSphere(0.135, 16, 16);
}

void draw_switch_sphere(int index)
{
    const SwitchSphere &sphere = switch_spheres[index];
    const PieceInfo &piece = roster[sphere.piece];
    const GLfloat *colour = body_colours[piece.side - 1];

    load_selection_name(&switch_ids[index], piece.switch_name);
    glPushMatrix();
        glTranslatef(sphere.x, sphere.y, sphere.z);
        if (piece.kind != PieceKind::Rook) // the rook sets it per box
            glColor3fv(colour);
        switch (piece.kind) {
        case PieceKind::Pawn:   draw_small_pawn(); break;
        case PieceKind::King:   draw_small_king(); break;
        case PieceKind::Rook:   draw_small_rook(colour, sphere.parameter); break;
        case PieceKind::Queen:  draw_small_queen(); break;
        case PieceKind::Bishop: draw_small_bishop(); break;
        case PieceKind::Knight: draw_small_knight(sphere.parameter); break;
        }
    glPopMatrix();
}

} // namespace

#define SCHACH3D_SWITCH_SPHERE_ENTRY(proc, ...) \
    void proc() { draw_switch_sphere(SWITCH_##proc); }
SCHACH3D_SWITCH_SPHERES(SCHACH3D_SWITCH_SPHERE_ENTRY)
#undef SCHACH3D_SWITCH_SPHERE_ENTRY
