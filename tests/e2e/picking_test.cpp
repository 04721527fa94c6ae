// Clicking pieces, fields and switch spheres in the running program, as a
// person does, and reading back the title and the console.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <string>
#include <vector>


#include "harness.h"

namespace {

constexpr int width = 900, height = 600;

struct Point {
    int x, y;
};

// Where a world point shows in the window (origin top left) through the start
// camera: the eye 10 units from the origin at 36 degrees elevation on the -y
// side, up (0, 0.001, 1), 65 degrees of vertical field of view.
Point on_screen(double x, double y, double z)
{
    const double theta = 0.62831855f;
    const std::array<double, 3> eye = {0.0, -10.0 * std::cos(theta), 10.0 * std::sin(theta)};
    const std::array<double, 3> up = {0.0, 0.001, 1.0};
    auto normalise = [](std::array<double, 3> v) {
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        return std::array<double, 3>{v[0] / n, v[1] / n, v[2] / n};
    };
    auto cross = [](const std::array<double, 3> &a, const std::array<double, 3> &b) {
        return std::array<double, 3>{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    };
    auto dot = [](const std::array<double, 3> &a, const std::array<double, 3> &b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    const auto forward = normalise({-eye[0], -eye[1], -eye[2]});
    const auto side = normalise(cross(forward, up));
    const auto upward = cross(side, forward);
    const std::array<double, 3> rel = {x - eye[0], y - eye[1], z - eye[2]};
    const double depth = dot(forward, rel);
    const double cot = 1.0 / std::tan(65.0 / 2.0 * std::numbers::pi / 180.0);
    const double ndc_x = cot / (static_cast<double>(width) / height) * dot(side, rel) / depth;
    const double ndc_y = cot * dot(upward, rel) / depth;
    return {static_cast<int>(std::lround((ndc_x + 1.0) * width / 2.0)),
            static_cast<int>(std::lround((1.0 - ndc_y) * height / 2.0))};
}

std::string repeat(const std::string &text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

class Picking : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.started()) << session.program().errors();
        window = session.window();
        const e2e::Geometry g = e2e::window_geometry(display(), window);
        ASSERT_EQ(g.width, width);
        ASSERT_EQ(g.height, height);
        mark = session.program().output().size();
    }

    const std::string &display() const { return session.display(); }

    void click_at(double wx, double wy, double wz)
    {
        const Point p = on_screen(wx, wy, wz);
        e2e::click(display(), window, p.x, p.y);
    }

    // What the program printed since the last call, once it has printed
    // at least the given number of bytes.
    std::string printed(size_t bytes)
    {
        session.program().wait_for_output_size(mark + bytes, 10);
        const std::string out = session.program().output().substr(mark);
        mark = session.program().output().size();
        return out;
    }

    bool title_becomes(const std::string &title) { return e2e::wait_for_title(display(), window, title, 10); }

    // The window's pixels, row by row from its top left, read from the root
    // window (that is where Xvfb has them); parts off the screen read as 0.
    std::vector<unsigned char> window_pixels()
    {
        const e2e::Geometry g = e2e::window_geometry(display(), window);
        const e2e::Image shot = e2e::screenshot(display());
        std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3, 0);
        for (int row = 0; row < height; ++row)
            for (int col = 0; col < width; ++col) {
                const int sx = g.x + col, sy = g.y + row;
                if (sx < 0 || sy < 0 || sx >= shot.width || sy >= shot.height)
                    continue;
                const auto rgb = shot.at(sx, sy);
                for (int c = 0; c < 3; ++c)
                    pixels[(static_cast<size_t>(row) * width + col) * 3 + c] = static_cast<unsigned char>(rgb[c]);
            }
        return pixels;
    }

    e2e::Session session;
    std::string window;
    size_t mark = 0;
};

const std::string pawn_line = "\n Pos: Bauer Nr. 11 = (-2.50, 0.00)";
const std::string d3_line = "\n Pos: D3 = (-0.50,-1.50)";

TEST_F(Picking, APawnClickedArmsItAFieldClickSendsItThereAndThenItStandsOnTheField)
{
    // The scene is drawn and, with the light marker off, stands still.
    std::vector<unsigned char> before;
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            const auto a = window_pixels();
            const auto b = window_pixels();
            before = b;
            const Point centre = on_screen(0.0, 0.0, 0.0);
            const size_t i = (static_cast<size_t>(centre.y) * width + centre.x) * 3;
            const bool board_drawn = a[i] != 255 || a[i + 1] != 255 || a[i + 2] != 255;
            return board_drawn && a == b;
        },
        20, 0.1));

    click_at(-2.5, -3.5, 0.6);
    EXPECT_TRUE(title_becomes("Bauer Nr. 11"));
    EXPECT_EQ(printed(31 * pawn_line.size()), repeat(pawn_line, 31));
    // Armed, the pawn rises onto its plate: the picture changes.
    EXPECT_TRUE(e2e::poll_until([&] { return window_pixels() != before; }, 10, 0.1));

    click_at(-0.5, -1.5, 0.0);
    EXPECT_TRUE(title_becomes("D3"));
    const auto sent = std::chrono::steady_clock::now();
    const std::string block_head = "\n: Start: ";
    const size_t axis_line = std::string("\n0: delta =  2.00  T1 = 10.00  T2 = 10.80   ").size();
    const std::string out = printed(32 * d3_line.size() + block_head.size() + 3 * axis_line);

    // The start times are the scene clock at the click; everything else is fixed.
    float t1 = -1.0f;
    const size_t at = out.find("T1 = ");
    ASSERT_NE(at, std::string::npos) << out;
    ASSERT_EQ(std::sscanf(out.c_str() + at, "T1 = %f", &t1), 1);
    char axes[3][64];
    const double t[3] = {t1, t1 + 0.4, t1 + 0.8};
    const double d[3] = {2.0, 2.0, 0.0};
    for (int i = 0; i < 3; ++i)
        std::snprintf(axes[i], sizeof axes[i], "\n%d: delta = %5.2f  T1 = %5.2f  T2 = %5.2f   ", i, d[i], t[i],
                      t[i] + 0.4 * d[i]);
    EXPECT_EQ(out, d3_line + block_head + axes[0] + axes[1] + axes[2] + repeat(d3_line, 31));

    // The move takes 1.2 units of scene time; when the picture has stood
    // still for a while after that, the pawn stands on D3 and a click on
    // the field's centre meets it.
    ASSERT_TRUE(e2e::poll_until(
        [&] {
            if (std::chrono::steady_clock::now() - sent < std::chrono::milliseconds(1300))
                return false;
            const auto a = window_pixels();
            const auto b = window_pixels();
            const auto c = window_pixels();
            return a == b && b == c;
        },
        30, 0.1));
    click_at(-0.5, -1.5, 0.0);
    EXPECT_TRUE(title_becomes("Bauer Nr. 11"));
    EXPECT_EQ(printed(31 * pawn_line.size()), repeat(pawn_line, 31));
}

TEST_F(Picking, ADragFromAnEmptyFieldNamesWhatItPassesButArmsNothing)
{
    const std::string e4_line = "\n Pos: E4 = ( 0.50,-0.50)";
    const Point start = on_screen(0.5, -0.5, 0.0);
    e2e::press_button(display(), window, start.x, start.y);
    EXPECT_TRUE(title_becomes("E4"));
    EXPECT_EQ(printed(32 * e4_line.size()), repeat(e4_line, 32));

    const struct {
        double x, y, z;
        const char *name;
    } passes[] = {
        {2.5, -3.5, 0.6, "Bauer Nr. 21"}, // G1
        {1.5, 0.5, 0.0, "F5"},
        {-2.8, 3.5, 3.2, "Aus_Bauer 18"},
        {2.5, 0.5, 0.9, "Bauer Nr. 25"}, // G5
    };
    for (const auto &p : passes) {
        const Point s = on_screen(p.x, p.y, p.z);
        e2e::move_pointer(display(), window, s.x, s.y);
        EXPECT_TRUE(title_becomes(p.name)) << p.name << " / " << e2e::window_title(display(), window);
    }
    e2e::release_button(display());

    // Nothing was printed by the motion, and no piece is armed or hidden: a
    // field click prints position lines only, and the pieces still answer.
    const std::string e3_line = "\n Pos: E3 = ( 0.50,-1.50)";
    click_at(0.5, -1.5, 0.0);
    EXPECT_TRUE(title_becomes("E3"));
    EXPECT_EQ(printed(32 * e3_line.size()), repeat(e3_line, 32));
    const std::string pawn21_line = "\n Pos: Bauer Nr. 21 = (-2.50, 0.00)";
    click_at(2.5, -3.5, 0.6);
    EXPECT_TRUE(title_becomes("Bauer Nr. 21"));
    EXPECT_EQ(printed(31 * pawn21_line.size()), repeat(pawn21_line, 31));
}

TEST_F(Picking, AFastDragIsNamedWhereItEndsWithoutWorkingOffEveryMotion)
{
    if (e2e::browser_program())
        GTEST_SKIP() << "a burst of X motion events from xdotool; a browser hands motion over once per frame";
    // Three thousand motion events in one burst over the board, faster than
    // the program can pick, ending over a switch sphere the burst never passes.
    const e2e::Geometry g = e2e::window_geometry(display(), window);
    const Point end = on_screen(9.26, 3.5, 4.45); // Aus_Turm 3
    std::string burst = "xdotool";
    for (int i = 0; i < 3000; ++i)
        burst += " mousemove " + std::to_string(g.x + 200 + (i * 37) % 500) + " " + std::to_string(g.y + 300 + (i * 53) % 250);
    burst += " mousemove " + std::to_string(g.x + end.x) + " " + std::to_string(g.y + end.y);
    e2e::press_button(display(), window, 450, 400);
    e2e::run(display(), burst);
    e2e::release_button(display());
    // A pick takes milliseconds: one per event would keep it busy for many seconds.
    EXPECT_TRUE(e2e::wait_for_title(display(), window, "Aus_Turm 3", 3)) << e2e::window_title(display(), window);
}

TEST_F(Picking, ASwitchSphereHidesItsPieceAndASecondClickShowsItAgain)
{
    const std::string sphere_line = "\n Pos: Aus_Turm 1 = (-3.50, 0.00)";
    const std::string a1_line = "\n Pos: A1 = (-3.50,-3.50)";

    click_at(-9.2, 3.5, 4.45);
    EXPECT_TRUE(title_becomes("Aus_Turm 1"));
    EXPECT_EQ(printed(31 * sphere_line.size()), repeat(sphere_line, 31));

    // Where the rook stood, the field now answers.
    click_at(-3.5, -3.5, 0.0);
    EXPECT_TRUE(title_becomes("A1"));
    EXPECT_EQ(printed(32 * a1_line.size()), repeat(a1_line, 32));

    click_at(-9.2, 3.5, 4.45);
    EXPECT_TRUE(title_becomes("Aus_Turm 1"));
    EXPECT_EQ(printed(31 * sphere_line.size()), repeat(sphere_line, 31));

    const std::string rook_line = "\n Pos: Turm Nr. 1 = ( 0.00, 0.00)";
    click_at(-3.5, -3.5, 0.0);
    EXPECT_TRUE(title_becomes("Turm Nr. 1"));
    EXPECT_EQ(printed(31 * rook_line.size()), repeat(rook_line, 31));
}

} // namespace
