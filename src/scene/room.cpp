#include "scene/room.h"

#include <GL/freeglut.h>

#include "core/scene_state.h"
#include "scene/selection_names.h"

GLUquadricObj *q_cylinder = nullptr;

namespace {

// A unit cube scaled to size and moved to its centre. Colours go through as
// they stand, above 1 included: lighting clamps the result.
struct Box {
    GLfloat centre[3];
    GLfloat size[3];
    GLdouble colour[4];
};

const Box table_and_seats[] = {
    {{0.0f, 0.0f, -3.0f}, {4.0f, 4.0f, 5.8f}, {1.0, 0.5, 0.0, 0.5}},    // pedestal
    {{0.0f, 0.0f, -0.2f}, {8.0f, 8.0f, 0.3945f}, {1.0, 0.5, 0.0, 0.5}}, // top, just below the board
    {{7.0f, 0.0f, -3.0f}, {2.0f, 3.0f, 6.0f}, {4.0, 1.5, 0.0, 0.5}},    // seat at +x
    {{-7.0f, 0.0f, -3.0f}, {2.0f, 3.0f, 6.0f}, {4.0, 1.5, 0.0, 0.5}},   // seat at -x
};

// The walls have alpha 0: while blending is on they only write depth. The
// floor is opaque (alpha 1); its top lies at z -5.999999.
const Box room[] = {
    {{0.0f, 10.0f, 0.0f}, {26.0f, 1.0f, 13.0f}, {1.0, 8.0, 10.0, 0.0}},
    {{0.0f, -10.0f, 0.0f}, {26.0f, 1.0f, 13.0f}, {1.0, 8.0, 10.0, 0.0}},
    {{-13.2f, 0.0f, 0.0f}, {1.0f, 21.0f, 13.0f}, {2.0, 4.0, 8.0, 0.0}},
    {{13.2f, 0.0f, 0.0f}, {1.0f, 21.0f, 13.0f}, {2.0, 4.0, 8.0, 0.0}},
    {{0.0f, 0.0f, -6.249999f}, {26.0f, 21.0f, 0.5f}, {0.5, 0.5, 0.5, 1.0}}, // floor
};

void draw_boxes(const Box *boxes, int count)
{
    for (int i = 0; i < count; ++i) {
        glPushMatrix();
            glTranslatef(boxes[i].centre[0], boxes[i].centre[1], boxes[i].centre[2]);
            glColor4dv(boxes[i].colour);
            glScalef(boxes[i].size[0], boxes[i].size[1], boxes[i].size[2]);
            glutSolidCube(1.0);
        glPopMatrix();
    }
}

} // namespace

void DrawTransparenzFigur()
{
    static unsigned int myID = 0;
    load_selection_name(&myID, "Sitzplaetze und Tisch");

    // The blending chosen here holds for the rest of the pass.
    if (Transparez_ein) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
    draw_boxes(table_and_seats, sizeof table_and_seats / sizeof table_and_seats[0]);
}

void DrawRaumFigur()
{
    static unsigned int myID = 0;
    load_selection_name(&myID, "Waende und Boden");

    draw_boxes(room, sizeof room / sizeof room[0]);
}

void DrawLichtObjects()
{
    if (licht_an)
        return; // marker off: light 0 stays as it is

    glPushMatrix();
        glTranslatef(0.0f, 0.0f, MiniSphere.offset);
        glTranslatef(MiniSphere1.offset, 0.0f, 0.0f);
        // One full turn of the spot's tilt per 12 units of scene time.
        glRotatef(static_cast<float>(myTime / 12.0 * 360.0), 0.0f, 0.0f, 1.0f);
        glRotatef(30.0f, 0.0f, 1.0f, 0.0f);

        // Given under the camera's matrix, so the light is fixed to the marker in the scene.
        glLightfv(GL_LIGHT0, GL_POSITION, Light_Position);
        glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, Spot_Direction);
        glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, Spot_Exponent);
        glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, Spot_CutoffAngle);

        // The index is kept in 0..3 by its writers; wrap it anyway rather than read
        // past the colour table.
        const GLfloat *colour = MiniSphere.colors[(MiniSphere.color_index % 4 + 4) % 4];
        glColor3fv(colour);
        glLightfv(GL_LIGHT0, GL_AMBIENT, colour);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, colour);
        glLightfv(GL_LIGHT0, GL_SPECULAR, colour);

        glEnable(GL_LIGHTING);
        glutSolidSphere(MiniSphere.radius, 24, 24);
        // Left off: the pieces and the board after it are drawn unlit until the
        // board switches lighting on again.
        glDisable(GL_LIGHTING);
    glPopMatrix();

    glColor3f(0.5f, 0.5f, 0.5f);
    glMaterialfv(GL_FRONT, GL_SPECULAR, mat_specular);
    glMaterialf(GL_FRONT, GL_SHININESS, mat_shininess);
}

void InitCylinder()
{
    if (q_cylinder == nullptr)
        q_cylinder = gluNewQuadric();
    gluQuadricDrawStyle(q_cylinder, GLU_FILL);
    gluQuadricNormals(q_cylinder, GLU_SMOOTH);
    gluQuadricTexture(q_cylinder, GL_TRUE);
}

namespace {

// The quadric as the first king of a pass leaves it. A piece drawn before any
// king (a test that draws one alone, a king hidden from the first pass on)
// makes it here rather than hand GLU a null quadric.
GLUquadricObj *existing_quadric()
{
    if (q_cylinder == nullptr)
        InitCylinder();
    return q_cylinder;
}

// Mesa's software renderer loses the vertices of every glBegin/glEnd primitive
// drawn in selection mode, and gluCylinder draws quad strips: each pick used to
// cost about 300 KiB for good. Vertices from a display list are not lost, so
// each distinct cylinder is compiled once from gluCylinder and every pass, for
// the screen or for a pick, calls its list. The polygon mode and the current
// colour still apply at the call.
struct CylinderList {
    GLdouble base, top, height;
    GLint slices, stacks;
    GLuint list;
};
CylinderList cylinder_lists[16]; // the scene has seven distinct cylinders
int cylinder_list_count = 0;

GLuint cylinder_list(GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks)
{
    for (int i = 0; i < cylinder_list_count; ++i) {
        const CylinderList &c = cylinder_lists[i];
        if (c.base == base && c.top == top && c.height == height && c.slices == slices && c.stacks == stacks)
            return c.list;
    }
    if (cylinder_list_count == static_cast<int>(sizeof cylinder_lists / sizeof cylinder_lists[0]))
        return 0;
    const GLuint list = glGenLists(1);
    if (list == 0)
        return 0;
    glNewList(list, GL_COMPILE);
        gluCylinder(existing_quadric(), base, top, height, slices, stacks);
    glEndList();
    cylinder_lists[cylinder_list_count++] = {base, top, height, slices, stacks, list};
    return list;
}

} // namespace

void draw_cylinder(GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks)
{
    if (const GLuint list = cylinder_list(base, top, height, slices, stacks))
        glCallList(list);
    else // no list to be had: the same cylinder, drawn directly
        gluCylinder(existing_quadric(), base, top, height, slices, stacks);
}
