#include "scene/chess_board.h"

#include <GL/gl.h>
#include <cstdio>

#include "scene/selection_names.h"

namespace {

const GLfloat field_colours[2][3] = {
    {0.6f, 0.8f, 0.9f}, // letter + digit index even (A1, H8)
    {0.4f, 0.8f, 0.0f}, // odd (B1, A2, H1)
};

// The board's name first, then A1 ... A8, B1 ... H8 in one run, so that the
// field (L, D) has the id board + 1 + 8 L + D without keeping 64 ids.
void register_names(unsigned int *board_id)
{
    set_id_and_name(board_id, "Schachbrett");
    for (char letter = 'A'; letter <= 'H'; ++letter) {
        for (char digit = '1'; digit <= '8'; ++digit) {
            const char field[3] = {letter, digit, '\0'};
            unsigned int unused = 0;
            set_id_and_name(&unused, field);
        }
    }
}

} // namespace

void DrawChessBoard()
{
    static unsigned int myID = 0;
    if (myID == 0)
        register_names(&myID);
    glLoadName(myID); // no geometry under it: a pick always names a field

    glPushMatrix();
    glShadeModel(GL_FLAT);
    glNormal3f(0.0f, 0.0f, 1.0f);
    // Each field from a vertex array rather than glBegin/glEnd: the GL driver
    // loses the vertices of glBegin/glEnd primitives drawn for a pick.
    GLfloat quad[4][3] = {};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, quad);
    // One pass per colour: the even fields, then the odd ones.
    for (int p = 0; p < 2; ++p) {
        glColor3fv(field_colours[p]);
        float x = -4.0f;
        for (int L = 0; L < 8; ++L) {
            const int o = (p + L) % 2;
            float y = static_cast<float>(o - 4);
            for (int D = o; D < 8; D += 2) {
                glLoadName(myID + 1 + 8 * L + D);
                // Counter-clockwise seen from above.
                quad[0][0] = x;        quad[0][1] = y;
                quad[1][0] = x + 1.0f; quad[1][1] = y;
                quad[2][0] = x + 1.0f; quad[2][1] = y + 1.0f;
                quad[3][0] = x;        quad[3][1] = y + 1.0f;
                glDrawArrays(GL_QUADS, 0, 4);
                y += 2.0f;
            }
            x += 1.0f;
        }
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    // Whatever came before, what follows is lit again.
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glPopMatrix();
}

int GetChessFieldPos(const char *name, float pos[3])
{
    pos[0] = pos[1] = pos[2] = 0.0f;
    int result = 1;
    if (name == nullptr)
        name = ""; // names nothing; printed as an empty name

    const signed char letter = static_cast<signed char>(name[0]);
    // A one-character name ends at its second byte: never read past the terminator.
    const signed char digit = letter != '\0' ? static_cast<signed char>(name[1]) : '\0';

    if (letter >= 'A' && letter <= 'H')
        pos[0] = static_cast<float>((letter - 'E') + 0.5);
    else
        result = 0;
    if (digit >= '1' && digit <= '8')
        pos[1] = static_cast<float>((digit - '1') - 4 + 0.5);
    else
        result = 0;

    std::printf("\n Pos: %s = (%5.2f,%5.2f)", name, pos[0], pos[1]); // flushed with the pick's burst
    return result;
}
