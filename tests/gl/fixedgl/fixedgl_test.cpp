// The fixedgl layer on Mesa's OpenGL ES 3 (EGL, no display): lighting,
// selection and polygon modes, each where a fault would show.
#include <GL/glu.h>
#include <fixedgl.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "es_context.h"

namespace {

constexpr int size = 64;

void open_context()
{
    ASSERT_TRUE(make_es_context(size, size));
    glViewport(0, 0, size, size);
}

// A square from -h to h at depth z, in steps of 2h/n so that per-vertex
// lighting has vertices to work with.
void square(float h, float z, int n = 1)
{
    const float step = 2 * h / n;
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const float x = -h + i * step, y = -h + j * step;
            glVertex3f(x, y, z);
            glVertex3f(x + step, y, z);
            glVertex3f(x + step, y + step, z);
            glVertex3f(x, y + step, z);
        }
    glEnd();
}

std::array<unsigned char, 4> rgba_at(int x, int y)
{
    std::array<unsigned char, 4> rgba{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

int red_at(int x, int y) { return rgba_at(x, y)[0]; }

// A square from glBegin/glEnd about (x, y), without a normal of its own.
void square_about(float x, float y, float h)
{
    glBegin(GL_QUADS);
    glVertex3f(x - h, y - h, 0.0f);
    glVertex3f(x + h, y - h, 0.0f);
    glVertex3f(x + h, y + h, 0.0f);
    glVertex3f(x - h, y + h, 0.0f);
    glEnd();
}

} // namespace

TEST(FixedglLighting, SpotLightsOnlyInsideItsConeAndKeepsItsValuesAgainstOnesGlRefuses)
{
    open_context();
    const GLfloat none[] = {0.0f, 0.0f, 0.0f, 1.0f}, above[] = {0.0f, 0.0f, 1.0f, 1.0f}, down[] = {0.0f, 0.0f, -1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, above);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, down);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 20.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    square(1.0f, 0.0f, 16);
    EXPECT_GT(red_at(size / 2, size / 2), 150); // under the light: lit
    EXPECT_LT(red_at(2, 2), 5);                 // some 50 degrees off its axis: dark
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Values GL refuses leave the light as it was, with GL's error.
    GLfloat value = 0.0f;
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 95.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
    glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, &value);
    EXPECT_EQ(value, 20.0f);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 129.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
    glGetLightfv(GL_LIGHT0, GL_SPOT_EXPONENT, &value);
    EXPECT_EQ(value, 0.0f);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(FixedglLighting, ColourMaterialForTheBackFaceLeavesTheFrontLitWithItsOwnMaterial)
{
    open_context();
    glEnable(GL_LIGHTING); // no light: the front material's ambient 0.2 of the scene's 0.2
    glColorMaterial(GL_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glColor3f(1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    square(1.0f, 0.0f);
    EXPECT_NEAR(red_at(size / 2, size / 2), 10, 1); // not 51, the colour's 1.0 times 0.2
}

TEST(FixedglSelection, HitsCarryTheirNamesAndWindowDepthsAndLinesHitOnlyAPolygonsEdges)
{
    open_context();
    GLuint buffer[64];
    const auto pick = [&](double x, double y) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glSelectBuffer(64, buffer);
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(0);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPickMatrix(x, y, 3.0, 3.0, viewport);
        glMatrixMode(GL_MODELVIEW);
        glLoadName(1);
        square(0.5f, 0.5f); // window depth 0.75
        glLoadName(2);
        square(0.5f, -0.5f); // window depth 0.25
        return glRenderMode(GL_RENDER);
    };
    const double range = 4294967295.0, tolerance = range / (1 << 20);

    ASSERT_EQ(pick(size / 2, size / 2), 2);
    EXPECT_EQ(buffer[0], 1u);
    EXPECT_NEAR(buffer[1], 0.75 * range, tolerance);
    EXPECT_NEAR(buffer[2], 0.75 * range, tolerance);
    EXPECT_EQ(buffer[3], 1u);
    EXPECT_NEAR(buffer[5], 0.25 * range, tolerance);
    EXPECT_EQ(buffer[7], 2u);
    EXPECT_EQ(pick(2, 2), 0); // beside both

    // As lines, the squares are hit on their edges only, and the quads'
    // diagonals are no edges.
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    EXPECT_EQ(pick(size / 2, size / 2), 0);
    EXPECT_EQ(pick(size * 5 / 8, size * 3 / 8), 0); // on the diagonal that splits the quads
    EXPECT_EQ(pick(size / 2, size / 4), 2);         // on the lower edge
}

TEST(FixedglPolygonMode, LinesDrawAQuadsFourEdgesAndPointsItsCorners)
{
    open_context();
    const float centres = 31.0f / 64; // edges through the centres of the pixels 16 and 47
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glClear(GL_COLOR_BUFFER_BIT);
    square(centres, 0.0f);
    EXPECT_GT(red_at(16, size / 2), 200);
    EXPECT_GT(red_at(size / 2, 47), 200);
    EXPECT_LT(red_at(size / 2, size / 2), 5); // inside
    EXPECT_LT(red_at(40, 23), 5);             // on the diagonal that splits the quad

    glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    glClear(GL_COLOR_BUFFER_BIT);
    square(centres, 0.0f);
    EXPECT_GT(red_at(16, 16), 200);
    EXPECT_LT(red_at(16, size / 2), 5);
}

TEST(FixedglBatches, DrawsKeepTheirOwnValuesAndStateAndEachFrameItsOwnGeometry)
{
    open_context();
    using Colour = std::array<unsigned char, 4>;
    const auto in_quarter = [](float x, float y, const GLfloat *colour) {
        glPushMatrix();
        glTranslatef(x, y, 0.0f);
        glColor4f(colour[0], colour[1], colour[2], colour[3]);
        square_about(0.0f, 0.0f, 0.25f);
        glPopMatrix();
    };
    const GLfloat red[] = {1.0f, 0.0f, 0.0f, 0.5f}, blue[] = {0.0f, 0.0f, 1.0f, 0.5f},
                  green[] = {0.0f, 1.0f, 0.0f, 0.5f}, white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Two draws of the same square that share everything but matrix and colour.
    in_quarter(-0.5f, 0.5f, red);
    in_quarter(0.5f, 0.5f, blue);
    // Blending comes on for the next draw only, lighting for the one after.
    glEnable(GL_BLEND);
    in_quarter(-0.5f, -0.5f, green);
    glEnable(GL_LIGHTING); // no light: the default material's ambient, 0.2 of the scene's 0.2
    in_quarter(0.5f, -0.5f, white);
    EXPECT_EQ(rgba_at(16, 48), (Colour{255, 0, 0, 128}));
    EXPECT_EQ(rgba_at(48, 48), (Colour{0, 0, 255, 128}));
    EXPECT_NEAR(rgba_at(16, 16)[1], 128, 1);
    EXPECT_NEAR(rgba_at(48, 16)[0], 10, 1);

    // Frames of one draw each, the same but for where the square lies: the
    // second frame's square, made anew, is not taken for the first's.
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (const float x : {-0.5f, 0.5f}) {
        glClear(GL_COLOR_BUFFER_BIT);
        square_about(x, 0.0f, 0.25f);
        EXPECT_EQ(red_at(x < 0 ? 16 : 48, 32), 255) << "square about x " << x;
        EXPECT_EQ(red_at(x < 0 ? 48 : 16, 32), 0) << "square about x " << x;
    }
}

TEST(FixedglContext, ARestoredContextDrawsWhatTheLostOneDrewWithTheStateSetBeforeTheLoss)
{
    open_context();
    // State set once, as a program sets it at its start; none of it ES's default.
    glViewport(8, 8, 48, 48);
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // A near square, a far one around it that the depth test keeps behind,
    // and a translucent one over both.
    const auto frame = [] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
        square(0.5f, -0.5f);
        glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
        square(0.8f, 0.5f);
        glColor4f(0.0f, 0.0f, 1.0f, 0.5f);
        square(0.3f, -0.9f);
        std::vector<unsigned char> pixels(size * size * 4);
        glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> lost = frame();

    // What a browser gives back is a new context: none of the old objects,
    // ES's state at its defaults.
    ASSERT_TRUE(make_es_context(size, size));
    fixedgl_context_restored();
    const std::vector<unsigned char> restored = frame();
    int differing = 0;
    for (std::size_t i = 0; i < lost.size(); ++i)
        differing += lost[i] != restored[i];
    EXPECT_EQ(differing, 0) << "of " << lost.size() << " bytes";
    EXPECT_EQ(restored[0], 51) << "the clear colour's red";
}
