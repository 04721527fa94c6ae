// The start scene as drawn: colours read back from the back buffer at points
// projected from the scene, and the names a select pass finds there.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/roster.h"
#include "core/scene_state.h"
#include "core/view.h"
#include "gl_scene.h"
#include "scene/render_pass.h"
#include "scene/selection_names.h"

namespace {

using Rgb = std::array<float, 3>;

const Rgb even_field = {0.6f, 0.8f, 0.9f};
const Rgb odd_field = {0.4f, 0.8f, 0.0f};
const Rgb side1_body = {0.9f, 0.9f, 0.6f};
const Rgb side2_body = {0.8f, 0.4f, 0.3f};

// Unlit colours reach the 8-bit back buffer rounded: half a step, plus one
// step for the rasteriser's own rounding.
constexpr float unlit_tolerance = 1.5f / 255.0f;

Rgb pixel_at(double x, double y, double z)
{
    const auto w = project(x, y, z);
    return back_buffer_rgb(static_cast<int>(w[0]), static_cast<int>(w[1]));
}

void expect_rgb_near(const Rgb &seen, const Rgb &expected, float tolerance)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(seen[i], expected[i], tolerance) << "channel " << i;
}

bool is_white(const Rgb &c)
{
    return c[0] > 0.99f && c[1] > 0.99f && c[2] > 0.99f;
}

// Fields in the letters C to F: no piece stands on them or in front of them.
template <typename F>
void for_each_free_field(F f)
{
    for (int L = 2; L <= 5; ++L)
        for (int D = 0; D < 8; ++D)
            f(L, D, std::string{static_cast<char>('A' + L), static_cast<char>('1' + D)});
}

TEST(ScenePixels, FreeFieldsShowTheirTwoLitColours)
{
    open_gl_scene();
    draw_frame_to_back_buffer();

    // The fixed light shines from (-1, -2, 4), the board faces +z, the light
    // model adds 0.2 ambient: each field shows its colour times 0.2 + n.l.
    // The specular highlight (blue material, shininess 100) stays below 0.001
    // anywhere on the board for this eye, so it is left out.
    const float lit = 0.2f + 4.0f / std::sqrt(21.0f);
    auto lit_colour = [lit](const Rgb &c) {
        return Rgb{std::min(1.0f, c[0] * lit), std::min(1.0f, c[1] * lit), std::min(1.0f, c[2] * lit)};
    };
    for_each_free_field([&](int L, int D, const std::string &name) {
        SCOPED_TRACE(name);
        const Rgb expected = lit_colour((L + D) % 2 == 0 ? even_field : odd_field);
        // Tolerance: 8-bit rounding and the rasteriser's lighting arithmetic in
        // single precision, under 1% here.
        expect_rgb_near(pixel_at(L - 3.5, D - 3.5, 0.0), expected, 0.01f);
    });
}

// Splits a lit pixel into k times the body colour plus s times the material's
// specular colour (0.1, 0.1, 1.0), by least squares; returns the largest
// channel left unexplained.
float unexplained_by(const Rgb &body, const Rgb &seen, float *k_out)
{
    const Rgb specular = {0.1f, 0.1f, 1.0f};
    double aa = 0, ab = 0, bb = 0, ay = 0, by = 0;
    for (int i = 0; i < 3; ++i) {
        aa += body[i] * body[i];
        ab += body[i] * specular[i];
        bb += specular[i] * specular[i];
        ay += body[i] * seen[i];
        by += specular[i] * seen[i];
    }
    const double det = aa * bb - ab * ab;
    const double k = (ay * bb - by * ab) / det;
    const double s = (aa * by - ab * ay) / det;
    float worst = 0;
    for (int i = 0; i < 3; ++i)
        worst = std::max(worst, static_cast<float>(std::fabs(k * body[i] + s * specular[i] - seen[i])));
    *k_out = static_cast<float>(k);
    return worst;
}

TEST(ScenePixels, PieceBodiesShowTheirSideColours)
{
    open_gl_scene();
    draw_frame_to_back_buffer();
    struct Probe {
        const char *what;
        double x, y, z;
        const Rgb &own, &other;
    };
    // Centres of the pawns' head spheres, which face the eye there.
    const Probe probes[] = {
        {"Bauer Nr. 11 on B1", -2.5, -3.5, 0.91, side1_body, side2_body},
        {"Bauer Nr. 21 on G1", 2.5, -3.5, 0.91, side2_body, side1_body},
    };
    for (const Probe &p : probes) {
        SCOPED_TRACE(p.what);
        const Rgb seen = pixel_at(p.x, p.y, p.z);
        float k = 0;
        // Tolerance: the sphere is shaded per vertex (10 by 8 facets) and a
        // vertex colour may clip at 1 before it is interpolated, so the pixel
        // is only nearly a mix of the two colours.
        EXPECT_LT(unexplained_by(p.own, seen, &k), 0.04f)
            << seen[0] << " " << seen[1] << " " << seen[2];
        EXPECT_GT(k, 0.8f); // lit from the front, not a shadow
        EXPECT_LT(k, 1.25f);
        float other_k = 0;
        EXPECT_GT(unexplained_by(p.other, seen, &other_k), 0.15f);
    }
}

TEST(ScenePixels, FloorLiesBelowTheTableAndIsGrey)
{
    open_gl_scene();
    draw_frame_to_back_buffer();
    // Points of the floor's top (z -5.999999) that nothing hides in the start view.
    const double floor_points[][2] = {{-8.0, -3.0}, {0.0, -3.0}, {5.0, -3.0}};
    for (const auto &p : floor_points) {
        SCOPED_TRACE(std::to_string(p[0]) + ", " + std::to_string(p[1]));
        const auto w = project(p[0], p[1], -5.999999);
        GLfloat depth = 0;
        glReadBuffer(GL_BACK);
        glReadPixels(static_cast<int>(w[0]), 600 - 1 - static_cast<int>(w[1]), 1, 1,
                     GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        // What was drawn there is the floor, not the clear depth of 1. Tolerance:
        // the pixel centre is up to half a pixel off the projected point.
        EXPECT_NEAR(depth, w[2], 2e-4);
        const Rgb seen = pixel_at(p[0], p[1], -5.999999);
        // Grey under any white light. Under the fixed light of the start scene
        // it comes out nearly white: the floor is a unit cube flattened to 0.5,
        // which doubles its top's normal, and normals are not renormalised.
        EXPECT_NEAR(seen[0], seen[1], unlit_tolerance);
        EXPECT_NEAR(seen[1], seen[2], unlit_tolerance);
    }

    // Under the marker's spot the floor is a visible grey; the second frame is
    // the first lit by the spot. The one big face is shaded from its corners,
    // so the grey varies over the floor.
    licht_an = 0;
    draw_frame_to_back_buffer();
    draw_frame_to_back_buffer();
    for (const auto &p : floor_points) {
        SCOPED_TRACE(std::to_string(p[0]) + ", " + std::to_string(p[1]));
        const Rgb seen = pixel_at(p[0], p[1], -5.999999);
        EXPECT_NEAR(seen[0], seen[1], unlit_tolerance);
        EXPECT_NEAR(seen[1], seen[2], unlit_tolerance);
        EXPECT_GT(seen[0], 0.09f); // at least the light model's ambient 0.2 x 0.5
        EXPECT_LT(seen[0], 0.95f);
    }
}

TEST(ScenePixels, MarkerSphereAppearsAtItsPlaceOnlyWhileSwitchedOn)
{
    open_gl_scene();
    // The marker (radius 0.5 at (0, 0, 5.6)) sits at the window's top edge in
    // the start view; its lower part is seen. Probe just inside its outline
    // and well outside it, 0.35 below its centre.
    const double z = 5.6 - 0.35;
    ASSERT_GE(project(0, 0, z)[1], 2.0) << "probe must lie inside the window";
    auto inside = [z] { return std::array<Rgb, 3>{pixel_at(0, 0, z), pixel_at(-0.3, 0, z), pixel_at(0.3, 0, z)}; };
    auto outside = [z] { return std::array<Rgb, 2>{pixel_at(-0.75, 0, z), pixel_at(0.75, 0, z)}; };

    draw_frame_to_back_buffer();
    for (const Rgb &c : inside())
        EXPECT_TRUE(is_white(c)) << "no marker while licht_an is 1";

    licht_an = 0;
    draw_frame_to_back_buffer();
    for (const Rgb &c : inside()) {
        EXPECT_LT(std::max({c[0], c[1], c[2]}), 0.95f);
        // colour index 0 is grey: lit by its own grey light
        EXPECT_NEAR(c[0], c[1], unlit_tolerance);
        EXPECT_NEAR(c[1], c[2], unlit_tolerance);
    }
    for (const Rgb &c : outside()) // the wall behind leaves the white clear colour
        EXPECT_TRUE(is_white(c));

    // Colour index 1 is orange, and the marker follows its offset along x.
    MiniSphere.color_index = 1;
    MiniSphere1.offset = 1.0f;
    draw_frame_to_back_buffer();
    const Rgb moved = pixel_at(1.0, 0, z);
    EXPECT_GT(moved[0], moved[1]);
    EXPECT_GT(moved[1], moved[2]);
    EXPECT_TRUE(is_white(pixel_at(-0.3, 0, z)));
}

TEST(ScenePixels, WhileTheMarkerShowsPiecesAndBoardAreDrawnUnlit)
{
    open_gl_scene();
    licht_an = 0;
    F1_Movement.state = 1; // armed: on its plate
    // Moving, its first axis not started yet: on its plate too.
    F21_Movement.state = 2;
    F21_Movement.delta[0] = 1.0f;
    F21_Movement.T1[0] = 100.0f;
    F21_Movement.T2[0] = 100.4f;
    draw_frame_to_back_buffer();

    for_each_free_field([](int L, int D, const std::string &name) {
        SCOPED_TRACE(name);
        expect_rgb_near(pixel_at(L - 3.5, D - 3.5, 0.0), (L + D) % 2 == 0 ? even_field : odd_field,
                        unlit_tolerance);
    });
    // A1 has the first colour and H1 the second; a piece stands on each, so
    // probe the front corner of the field.
    expect_rgb_near(pixel_at(-3.95, -3.95, 0.0), even_field, unlit_tolerance);
    expect_rgb_near(pixel_at(3.95, -3.95, 0.0), odd_field, unlit_tolerance);

    expect_rgb_near(pixel_at(-2.5, -3.5, 1.01), side1_body, unlit_tolerance);
    expect_rgb_near(pixel_at(2.5, -3.5, 1.01), side2_body, unlit_tolerance);
    expect_rgb_near(pixel_at(-2.5, -2.5, 0.3), side1_body, unlit_tolerance);

    // Front faces of the plates, 0.8 wide, z 0 to 0.1.
    expect_rgb_near(pixel_at(-2.5, -3.9, 0.05), Rgb{0.8f, 0.9f, 0.4f}, unlit_tolerance);
    expect_rgb_near(pixel_at(2.5, -3.9, 0.05), Rgb{0.8f, 0.2f, 0.4f}, unlit_tolerance);
    // A piece at rest has none: the field B2 shows where its plate would be.
    expect_rgb_near(pixel_at(-2.5, -2.9, 0.05), even_field, unlit_tolerance);
}

TEST(ScenePixels, KnightsLookTowardsTheMiddle)
{
    open_gl_scene();
    licht_an = 0; // unlit: the nose shows its plain (0.1, 0.1, 0.1)
    draw_frame_to_back_buffer();
    const Rgb nose = {0.1f, 0.1f, 0.1f};
    // "Springer Nr. 1" on A2 looks to +x, "Springer Nr. 3" on H2 to -x.
    expect_rgb_near(pixel_at(-3.5 + 0.5, -2.5, 1.0), nose, unlit_tolerance);
    expect_rgb_near(pixel_at(3.5 - 0.5, -2.5, 1.0), nose, unlit_tolerance);
    const Rgb away1 = pixel_at(-3.5 - 0.5, -2.5, 1.0);
    const Rgb away3 = pixel_at(3.5 + 0.5, -2.5, 1.0);
    EXPECT_GT(away1[0], 0.3f);
    EXPECT_GT(away3[0], 0.3f);
}

TEST(ScenePicks, FieldsPickAsTheirNamesNeverAsTheBoard)
{
    open_gl_scene();
    draw_frame_to_back_buffer(); // registers the names
    for_each_free_field([](int L, int D, const std::string &name) {
        EXPECT_EQ(pick_at(L - 3.5, D - 3.5, 0.0), name);
    });
    // C4 is the board's id + 1 + 8 * 2 + 3.
    EXPECT_STREQ(get_name_from_id(35 + 1 + 8 * 2 + 3), "C4");
}

TEST(ScenePicks, ObjectsPickAsTheirOwnNames)
{
    open_gl_scene();
    draw_frame_to_back_buffer();
    EXPECT_EQ(pick_at(-2.5, -3.5, 0.91), "Bauer Nr. 11");
    EXPECT_EQ(pick_at(2.5, -3.5, 0.91), "Bauer Nr. 21");
    EXPECT_EQ(pick_at(-3.5, -2.5, 0.3), "Springer Nr. 1");
    EXPECT_EQ(pick_at(-9.18, 3.5, 3.2), "Aus_Bauer 11");
    EXPECT_EQ(pick_at(-6.44, 3.5, 4.3), "Schach-Matt-Koenig Nr. 1");
    EXPECT_EQ(pick_at(3.8, 3.5, 4.1), "Aus_Springer Nr. 4");
    EXPECT_EQ(pick_at(7.0, -1.5, -0.5), "Sitzplaetze und Tisch"); // front of the seat at +x
    EXPECT_EQ(pick_at(0.0, 9.5, 1.0), "Waende und Boden");        // the far wall, beyond the board

    // The marker loads no name: it is picked under the room's.
    licht_an = 0;
    draw_frame_to_back_buffer();
    EXPECT_EQ(pick_at(0.0, 0.0, 5.25), "Waende und Boden");

    // A hidden piece is not picked; the field under it is.
    DrawFigureNo1_off = 1;
    EXPECT_EQ(pick_at(-2.5, -3.5, 0.0), "B1");
}

} // namespace
