#include "scene/pieces.h"

#include <GL/freeglut.h>

#include "core/scene_state.h"
#include "scene/room.h"
#include "scene/selection_names.h"

const GLfloat body_colours[2][3] = {{0.9f, 0.9f, 0.6f}, {0.8f, 0.4f, 0.3f}};

namespace {

// Indexed by side - 1.
const GLfloat plate_colours[2][3] = {{0.8f, 0.9f, 0.4f}, {0.8f, 0.2f, 0.4f}};
const GLfloat knight_eye_colour[3] = {0.2f, 0.6f, 0.3f};
const GLfloat knight_nose_colour[3] = {0.1f, 0.1f, 0.1f};

unsigned int piece_ids[ROSTER_COUNT]; // 0 until the piece's first draw registers its name

// Each kind is modelled about its origin, base at z = 0, z up; one field is one unit.

void draw_pawn()
{
    glutSolidCone(0.25, 1.2, 12, 2);
    glTranslatef(0.0f, 0.0f, 0.91f);
    glutSolidSphere(0.25, 10, 8); // the cone's apex just pierces it
}

void draw_king()
{
    InitCylinder();
    draw_cylinder(0.35, 0.35, 1.35, 20, 10);
    glTranslatef(0.0f, 0.0f, 0.91f);
    glutSolidSphere(0.5, 5, 12); // a coarse, five-sided head
}

void draw_rook(const GLfloat body[3])
{
    coloured_box(body, 0.5f, 0.6f, 0.6f, 0.9f);  // tower, z 0.05 to 0.95
    coloured_box(body, 0.75f, 0.8f, 0.8f, 0.1f); // collar, z 0.7 to 0.8
    glTranslatef(0.0f, 0.0f, 0.9f);
    glutSolidSphere(0.2, 12, 12);
}

void draw_bishop()
{
    glutSolidCone(0.4, 1.3, 20, 10);
    glTranslatef(0.0f, 0.0f, 0.1f);
    InitCylinder();
    draw_cylinder(0.25, 0.2, 0.8, 20, 10);
}

void draw_queen()
{
    draw_cylinder(0.15, 0.3, 1.6, 20, 10);
    glutSolidCone(0.32, 1.2, 20, 10);
    glutSolidSphere(0.2, 12, 12);
    glTranslatef(0.0f, 0.0f, 1.45f);
    glutSolidCone(0.1, 0.5, 20, 10); // the tip, up to z 1.95
    glutSolidSphere(0.22, 12, 12);
    glTranslatef(0.0f, 0.0f, -0.03f);
    glutSolidTorus(0.18, 0.2, 17, 17);
    glTranslatef(0.0f, 0.0f, -0.12f);
    glutSolidTorus(0.19, 0.2, 17, 17);
}

// s = +1 faces +x (side 1), s = -1 faces -x (side 2).
void draw_knight(float s)
{
    // Neck: five spheres stacked 0.2 apart, z 0 to 0.8.
    glutSolidSphere(0.43, 16, 16);
    const double neck[] = {0.41, 0.385, 0.365, 0.34};
    for (double radius : neck) {
        glTranslatef(0.0f, 0.0f, 0.2f);
        glutSolidSphere(radius, 16, 16);
    }
    // Ears at (0, 0.1, 1.1) and (0, -0.2, 1.1).
    glTranslatef(0.0f, 0.1f, 0.3f);
    draw_cylinder(0.1, 0.05, 0.3, 20, 10);
    glTranslatef(0.0f, -0.3f, 0.0f);
    draw_cylinder(0.1, 0.05, 0.3, 20, 10);
    // Head and muzzle.
    glTranslatef(0.2f * s, 0.2f, -0.3f);
    glutSolidSphere(0.34, 16, 16);
    glTranslatef(0.1f * s, 0.0f, 0.0f);
    glutSolidSphere(0.3, 16, 16);
    // Eyes at (0.3 s, +-0.15, 1.0), nose at (0.5 s, 0, 1.0).
    glColor3fv(knight_eye_colour);
    glTranslatef(0.0f, 0.15f, 0.2f);
    glutSolidSphere(0.11, 16, 16);
    glTranslatef(0.0f, -0.3f, 0.0f);
    glutSolidSphere(0.11, 16, 16);
    glColor3fv(knight_nose_colour);
    glTranslatef(0.2f * s, 0.15f, 0.0f);
    glutSolidSphere(0.1, 16, 16);
}

// A 0.8 by 0.8 by 0.1 box on the field centre while the piece is armed or moving.
void draw_plate(const GLfloat colour[3])
{
    glPushMatrix();
        glColor3fv(colour);
        glTranslatef(0.0f, 0.0f, 0.05f);
        glScalef(0.8f, 0.8f, 0.1f);
        glEnable(GL_NORMALIZE);
        glutSolidCube(1.0);
        glDisable(GL_NORMALIZE);
    glPopMatrix();
}

} // namespace

void coloured_box(const GLfloat colour[3], GLfloat z, GLfloat sx, GLfloat sy, GLfloat sz)
{
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, z);
        glColor3fv(colour);
        glScalef(sx, sy, sz);
        glutSolidCube(1.0);
    glPopMatrix();
}

void DrawPiece(int index)
{
    const PieceInfo &piece = roster[index];
    TMovement *m = piece.movement;
    const int side = piece.side == 2 ? 1 : 0;

    load_selection_name(&piece_ids[index], piece.name);
    glPushMatrix();
    // The move goes on whenever the piece is drawn, hidden or not, picked or shown.
    calc_axis_pos(static_cast<float>(myTime), m);
    glTranslatef(m->cur[0], m->cur[1], m->cur[2]);
    if (*piece.off) {
        glPopMatrix();
        return;
    }
    if (m->state > 0) {
        draw_plate(plate_colours[side]);
        glTranslatef(0.0f, 0.0f, 0.1f); // stand on the plate
    }

    glColor3fv(body_colours[side]);
    switch (piece.kind) {
    case PieceKind::Pawn:   draw_pawn(); break;
    case PieceKind::King:   draw_king(); break;
    case PieceKind::Rook:   draw_rook(body_colours[side]); break;
    case PieceKind::Bishop: draw_bishop(); break;
    case PieceKind::Queen:  draw_queen(); break;
    case PieceKind::Knight: draw_knight(side == 0 ? 1.0f : -1.0f); break;
    }
    glPopMatrix();
}

#define SCHACH3D_PIECE_ENTRY(mov, off, init, draw, ...) \
    void draw() { DrawPiece(ROSTER_##mov); }
SCHACH3D_ROSTER(SCHACH3D_PIECE_ENTRY)
#undef SCHACH3D_PIECE_ENTRY
