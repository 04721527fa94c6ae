// The scene's drawing procedures in a real GL context: the names they register,
// the matrix stack and the render state each leaves for the objects after it.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/roster.h"
#include "core/scene_state.h"
#include "gl_scene.h"
#include "scene/chess_board.h"
#include "scene/pieces.h"
#include "scene/render_pass.h"
#include "scene/room.h"
#include "scene/selection_names.h"
#include "scene/switch_spheres.h"

namespace {

using Matrix = std::array<GLfloat, 16>;

Matrix modelview()
{
    Matrix m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

GLint modelview_depth()
{
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

std::array<GLfloat, 4> light0(GLenum what)
{
    std::array<GLfloat, 4> v{};
    glGetLightfv(GL_LIGHT0, what, v.data());
    return v;
}

std::array<GLfloat, 4> current_colour()
{
    std::array<GLfloat, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

// A world point (w = 1) or direction (w = 0) in eye coordinates under the camera.
std::array<double, 3> to_eye(const Matrix &m, double x, double y, double z, double w)
{
    return {m[0] * x + m[4] * y + m[8] * z + m[12] * w,
            m[1] * x + m[5] * y + m[9] * z + m[13] * w,
            m[2] * x + m[6] * y + m[10] * z + m[14] * w};
}

// Number of feedback values that drawing produces: 0 when nothing reaches the screen.
int feedback_values(void (*draw)())
{
    static GLfloat buffer[1 << 20];
    glFeedbackBuffer(sizeof buffer / sizeof buffer[0], GL_3D, buffer);
    glRenderMode(GL_FEEDBACK);
    glPushMatrix();
        draw();
    glPopMatrix();
    return glRenderMode(GL_RENDER);
}

struct Procedure {
    const char *name;
    void (*draw)();
};

std::vector<Procedure> all_drawing_procedures()
{
    std::vector<Procedure> all = {
        {"DrawTransparenzFigur", DrawTransparenzFigur},
        {"DrawRaumFigur", DrawRaumFigur},
        {"DrawLichtObjects", DrawLichtObjects},
        {"DrawChessBoard", DrawChessBoard},
    };
#define PIECE_PROCEDURE(mov, off, init, draw, ...) all.push_back({#draw, draw});
    SCHACH3D_ROSTER(PIECE_PROCEDURE)
#undef PIECE_PROCEDURE
#define SWITCH_PROCEDURE(proc, ...) all.push_back({#proc, proc});
    SCHACH3D_SWITCH_SPHERES(SWITCH_PROCEDURE)
#undef SWITCH_PROCEDURE
    return all;
}

TEST(SceneNames, FirstPassRegistersEveryNameInDrawingOrder)
{
    open_gl_scene();
    ASSERT_EQ(SelectedNamesCount, 1);
    draw_frame_to_back_buffer();
    EXPECT_EQ(SelectedNamesCount, 132);

    std::vector<std::string> expected = {"Sitzplaetze und Tisch", "Waende und Boden"};
    for (const PieceInfo &piece : roster)
        expected.push_back(piece.name);
    expected.push_back("Schachbrett");
    for (char letter = 'A'; letter <= 'H'; ++letter)
        for (char digit = '1'; digit <= '8'; ++digit)
            expected.push_back(std::string{letter, digit});
#define SWITCH_NAME(proc, mov, ...) expected.push_back(roster[ROSTER_##mov].switch_name);
    SCHACH3D_SWITCH_SPHERES(SWITCH_NAME)
#undef SWITCH_NAME
    ASSERT_EQ(expected.size(), 131u);
    for (unsigned id = 1; id <= 131; ++id)
        EXPECT_EQ(get_name_from_id(id), expected[id - 1]) << "id " << id;

    // Anchors written out, independent of the tables above.
    EXPECT_STREQ(get_name_from_id(3), "Bauer Nr. 11");
    EXPECT_STREQ(get_name_from_id(14), "Laufer Nr. 1");
    EXPECT_STREQ(get_name_from_id(34), "Springer Nr. 4");
    EXPECT_STREQ(get_name_from_id(35), "Schachbrett");
    EXPECT_STREQ(get_name_from_id(36), "A1");
    EXPECT_STREQ(get_name_from_id(99), "H8");
    EXPECT_STREQ(get_name_from_id(100), "Aus_Bauer 11");
    EXPECT_STREQ(get_name_from_id(116), "Schach-Matt-Koenig Nr. 1");
    EXPECT_STREQ(get_name_from_id(124), "Aus_Laeufer 1");
    EXPECT_STREQ(get_name_from_id(131), "Aus_Springer Nr. 4");

    // Later passes load the same ids and register nothing more.
    draw_frame_to_back_buffer();
    DrawObjects(GL_SELECT);
    EXPECT_EQ(SelectedNamesCount, 132);
}

TEST(SceneMatrices, EveryDrawingProcedureLeavesTheModelviewAsItFoundIt)
{
    open_gl_scene();
    // Every variant of every procedure: marker on and off, pieces at rest,
    // armed (plate) and hidden, the table opaque and blended.
    for (int variant = 0; variant < 3; ++variant) {
        licht_an = variant == 0 ? 1 : 0;
        Transparez_ein = variant == 2 ? 0 : 1;
        for (const PieceInfo &piece : roster) {
            piece.movement->state = variant == 1 ? 1 : 0;
            *piece.off = variant == 2 ? 1 : 0;
        }
        glPushMatrix();
        glTranslatef(0.25f, -0.5f, 1.0f); // something to keep, not the identity
        for (const Procedure &p : all_drawing_procedures()) {
            SCOPED_TRACE(std::string(p.name) + " variant " + std::to_string(variant));
            const GLint depth = modelview_depth();
            const Matrix before = modelview();
            p.draw();
            EXPECT_EQ(modelview_depth(), depth);
            EXPECT_EQ(modelview(), before);
            // An unbalanced push or pop shows up as a stack error. (The marker's
            // shininess of 200 is out of GL's range and refused with
            // GL_INVALID_VALUE; that error is not what this looks for.)
            for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError()) {
                EXPECT_NE(e, static_cast<GLenum>(GL_STACK_OVERFLOW));
                EXPECT_NE(e, static_cast<GLenum>(GL_STACK_UNDERFLOW));
            }
        }
        glPopMatrix();
    }
}

TEST(SceneState, BoardLeavesLightingOnAndShadingSmooth)
{
    open_gl_scene();
    glDisable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    DrawChessBoard();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);

    // The whole pass ends the same way, marker on or off.
    licht_an = 0;
    draw_frame_to_back_buffer();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);
}

TEST(SceneState, MarkerOffChangesNothing)
{
    open_gl_scene();
    ASSERT_EQ(licht_an, 1);
    for (bool lit : {true, false}) {
        SCOPED_TRACE(lit ? "lighting on before" : "lighting off before");
        if (lit)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        glColor3f(0.25f, 0.75f, 0.125f);
        const auto position = light0(GL_POSITION);
        const auto diffuse = light0(GL_DIFFUSE);
        const auto ambient = light0(GL_AMBIENT);
        GLfloat cutoff = 0, specular[4] = {};
        glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, &cutoff);
        glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
        const GLint depth = modelview_depth();

        DrawLichtObjects();

        EXPECT_EQ(glIsEnabled(GL_LIGHTING) == GL_TRUE, lit);
        EXPECT_EQ(current_colour(), (std::array<GLfloat, 4>{0.25f, 0.75f, 0.125f, 1.0f}));
        EXPECT_EQ(light0(GL_POSITION), position);
        EXPECT_EQ(light0(GL_DIFFUSE), diffuse);
        EXPECT_EQ(light0(GL_AMBIENT), ambient);
        GLfloat cutoff_after = 0, specular_after[4] = {};
        glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, &cutoff_after);
        glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular_after);
        EXPECT_EQ(cutoff_after, cutoff);
        EXPECT_EQ(cutoff_after, 180.0f); // still the plain directional light
        EXPECT_EQ(specular_after[2], specular[2]);
        EXPECT_EQ(modelview_depth(), depth);
    }
}

TEST(SceneState, MarkerTurnsLightZeroIntoTheSpotAndLeavesLightingOff)
{
    open_gl_scene();
    const Matrix view = modelview(); // the camera, as after the reshape
    licht_an = 0;
    glEnable(GL_LIGHTING);
    DrawLichtObjects();

    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(current_colour(), (std::array<GLfloat, 4>{0.5f, 0.5f, 0.5f, 1.0f}));
    const std::array<GLfloat, 4> grey = {0.9f, 0.9f, 0.9f, 0.9f};
    EXPECT_EQ(light0(GL_AMBIENT), grey);
    EXPECT_EQ(light0(GL_DIFFUSE), grey);
    EXPECT_EQ(light0(GL_SPECULAR), grey);
    GLfloat cutoff = 0, exponent = 0, material[4] = {};
    glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, &cutoff);
    glGetLightfv(GL_LIGHT0, GL_SPOT_EXPONENT, &exponent);
    EXPECT_EQ(cutoff, 45.0f);
    EXPECT_EQ(exponent, 1.0f);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, material);
    EXPECT_EQ(material[0], 1.0f);
    EXPECT_EQ(material[2], 1.0f);

    // At clock 0 the light sits at (0.05, 0, 5.6866) in the scene, inside the
    // marker, and the spot looks down tilted 30 degrees towards -x. GL keeps
    // both in eye coordinates.
    const auto position = light0(GL_POSITION);
    const auto expected = to_eye(view, 0.05, 0.0, 5.6 + 0.1 * std::cos(std::numbers::pi / 6), 1.0);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(position[i], expected[i], 1e-4) << i;
    EXPECT_EQ(position[3], 1.0f);
    std::array<GLfloat, 3> direction{};
    glGetLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction.data());
    const auto axis = to_eye(view, -0.5, 0.0, -std::cos(std::numbers::pi / 6), 0.0);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(direction[i], axis[i], 1e-5) << i;
}

TEST(SceneState, MarkerFollowsClockOffsetsAndColourIndex)
{
    open_gl_scene();
    const Matrix view = modelview();
    licht_an = 0;
    myTime = 3.0; // a quarter turn
    MiniSphere.offset = 5.85f;
    MiniSphere1.offset = 1.0f;
    MiniSphere.color_index = 1;
    DrawLichtObjects();

    std::array<GLfloat, 3> direction{};
    glGetLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction.data());
    const auto axis = to_eye(view, 0.0, -0.5, -std::cos(std::numbers::pi / 6), 0.0);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(direction[i], axis[i], 1e-5) << i;
    const auto position = light0(GL_POSITION);
    const auto expected = to_eye(view, 1.0, 0.05, 5.85 + 0.1 * std::cos(std::numbers::pi / 6), 1.0);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(position[i], expected[i], 1e-4) << i;
    EXPECT_EQ(light0(GL_DIFFUSE), (std::array<GLfloat, 4>{0.9f, 0.4f, 0.2f, 1.0f}));

    // One full turn later the tilt is back towards -x.
    myTime = 12.0;
    DrawLichtObjects();
    glGetLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction.data());
    const auto back = to_eye(view, -0.5, 0.0, -std::cos(std::numbers::pi / 6), 0.0);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(direction[i], back[i], 1e-5) << i;
}

TEST(SceneState, BlendingFollowsTheTransparencySwitch)
{
    open_gl_scene();
    ASSERT_EQ(Transparez_ein, 1);
    glDisable(GL_BLEND);
    DrawTransparenzFigur();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);

    // It holds for the rest of the pass: nothing after the table touches it.
    draw_frame_to_back_buffer();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));

    Transparez_ein = 0;
    DrawTransparenzFigur();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    draw_frame_to_back_buffer();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST(SceneState, ThereIsOnlyEverOneQuadric)
{
    open_gl_scene();
    EXPECT_EQ(q_cylinder, nullptr);
    InitCylinder();
    GLUquadricObj *const first = q_cylinder;
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 10; ++i)
        InitCylinder();
    EXPECT_EQ(q_cylinder, first);
    draw_frame_to_back_buffer();
    draw_frame_to_back_buffer();
    EXPECT_EQ(q_cylinder, first);
}

TEST(SceneState, QueensAndKnightsDrawnFirstDoNotNeedAKingBeforeThem)
{
    // In the pass a king always comes first; alone, they must not hand GLU a
    // null quadric.
    open_gl_scene();
    ASSERT_EQ(q_cylinder, nullptr);
    DrawFigureNod1();
    EXPECT_NE(q_cylinder, nullptr);
    DrawFigureNos1();
    DrawSwitchSphered1();
}

TEST(ScenePieces, HiddenPieceRegistersDrawsNothingAndKeepsMoving)
{
    open_gl_scene();
    // The first bishop's switch has its own name; hiding it must hide that bishop only.
    DrawFigureNoa1_off = 1;
    Fa_Movement.state = 2;
    Fa_Movement.delta[0] = 2.0f;
    Fa_Movement.T1[0] = 0.0f;
    Fa_Movement.T2[0] = 0.8f;
    myTime = 0.4; // half way: x eases from -3.5 to -2.5

    const GLint depth = modelview_depth();
    EXPECT_EQ(feedback_values(DrawFigureNoa), 0);
    EXPECT_EQ(modelview_depth(), depth);
    EXPECT_STREQ(get_name_from_id(1), "Laufer Nr. 1");
    EXPECT_NEAR(Fa_Movement.cur[0], -2.5f, 1e-5);
    EXPECT_EQ(Fa_Movement.state, 2);

    myTime = 1.0; // arrived, then back at rest one draw later
    feedback_values(DrawFigureNoa);
    EXPECT_EQ(Fa_Movement.pos[0], -1.5f);
    feedback_values(DrawFigureNoa);
    EXPECT_EQ(Fa_Movement.state, 0);

    EXPECT_GT(feedback_values(DrawFigureNoa2), 0);
    DrawFigureNoa1_off = 0;
    EXPECT_GT(feedback_values(DrawFigureNoa), 0);
}

TEST(ScenePieces, SwitchSpheresShowWhateverTheirPiecesFlags)
{
    open_gl_scene();
    for (const PieceInfo &piece : roster)
        *piece.off = 1;
    for (const Procedure &p : all_drawing_procedures()) {
        const std::string name = p.name;
        if (name.rfind("DrawSwitchSphere", 0) != 0)
            continue;
        SCOPED_TRACE(name);
        EXPECT_GT(feedback_values(p.draw), 0);
    }
}

TEST(ScenePieces, SelectPassStepsTheAnimationLikeTheRenderPass)
{
    open_gl_scene();
    F1_Movement.state = 2;
    F1_Movement.delta[1] = 1.0f;
    F1_Movement.T1[1] = 0.0f;
    F1_Movement.T2[1] = 0.4f;
    myTime = 0.2;
    GLuint buffer[512];
    glSelectBuffer(512, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glPushMatrix();
        DrawObjects(GL_SELECT);
    glPopMatrix();
    glRenderMode(GL_RENDER);
    EXPECT_NEAR(F1_Movement.cur[1], -3.0f, 1e-5);
}

} // namespace
