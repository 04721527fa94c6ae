// Frame and pick costs of the scene on the machine's GL (Mesa's software
// renderer under Xvfb in practice): one frame as the display callback draws it,
// buffer swap included, at the start size and at full HD, one pick through a
// 5 by 5 region as mouse motion runs it, and the animation step.
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "app/display.h"
#include "core/roster.h"
#include "core/scene_state.h"
#include "core/view.h"
#include "interaction/picking.h"
#include "platform/memory.h"
#include "scene/render_pass.h"

namespace {

// One window per size, made once and kept: the toolkit cannot be set up twice.
void use_window(int width, int height)
{
    static bool toolkit_ready = false;
    static std::map<std::pair<int, int>, int> windows;
    if (!toolkit_ready) {
        keep_freed_memory_for_reuse(); // as the program does
        int argc = 1;
        char name[] = "schach3d_bench";
        char *argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        toolkit_ready = true;
    }
    const auto key = std::make_pair(width, height);
    auto found = windows.find(key);
    if (found == windows.end()) {
        glutInitWindowSize(width, height);
        const int window = glutCreateWindow("schach3d_bench");
        glutDisplayFunc([] {}); // frames are drawn by the benchmarks, not on expose
        found = windows.emplace(key, window).first;
#define BENCH_INIT_PIECE(mov, off, init, ...) init();
        SCHACH3D_ROSTER(BENCH_INIT_PIECE)
#undef BENCH_INIT_PIECE
        glutMainLoopEvent(); // let the window be mapped
    }
    glutSetWindow(found->second);
    my_resize(width, height);
    if (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height) {
        std::fprintf(stderr, "window is %dx%d, not %dx%d: is the screen large enough?\n",
                     glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT), width, height);
        std::exit(1);
    }
}

// Waits until the server has shown the swapped frame, so that a frame's cost
// is not hidden in the next one.
void wait_for_display()
{
    glFinish();
    XSync(glXGetCurrentDisplay(), False);
}

void BM_Frame(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    use_window(width, height);
    my_draw(); // first pass registers the names
    wait_for_display();
    for (auto _ : state) {
        my_draw(); // clear, render pass, swap: what every timer tick asks for
        wait_for_display();
    }
}
BENCHMARK(BM_Frame)->Args({900, 600})->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The same pass without the swap: how much of a frame is drawing.
void BM_RenderPassOnly(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    use_window(width, height);
    for (auto _ : state) {
        draw_frame();
        glFinish();
    }
}
BENCHMARK(BM_RenderPassOnly)->Args({900, 600})->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The swap alone, of a frame already drawn. On Mesa's software path it is
// cheap by itself; what a swap costs shows in the frame after it, which draws
// into freshly mapped buffers (compare BM_Frame with BM_RenderPassOnly).
void BM_SwapOnly(benchmark::State &state)
{
    use_window(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    my_draw();
    wait_for_display();
    for (auto _ : state) {
        glutSwapBuffers();
        wait_for_display();
    }
}
BENCHMARK(BM_SwapOnly)->Args({900, 600})->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// Each group of the pass alone (the groups before it drawn once first, so that
// it finds the render state the pass gives it): where a frame's time goes.
void (*const pass_groups[])() = {draw_surroundings, draw_pieces, draw_board, draw_switch_spheres};

void BM_PassGroup(benchmark::State &state)
{
    use_window(900, 600);
    const int group = static_cast<int>(state.range(0));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int g = 0; g < group; ++g)
        pass_groups[g]();
    glFinish();
    for (auto _ : state) {
        pass_groups[group]();
        glFinish();
    }
}
BENCHMARK(BM_PassGroup)
    ->ArgName("room_pieces_board_switches")->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_SelectPass(benchmark::State &state)
{
    use_window(900, 600);
    my_draw();
    wait_for_display();
    // Where the click lands: on the pawn "Bauer Nr. 11" (B1's head), on a free
    // field (E5), on nothing but the far wall.
    static const int points[][2] = {{272, 393}, {472, 286}, {450, 120}};
    const int *p = points[state.range(0)];
    for (auto _ : state)
        myPickFunc(p[0], p[1], 0); // as mouse motion picks: no handlers, no console
    state.SetLabel(selected_name);
}
BENCHMARK(BM_SelectPass)->ArgName("pawn_field_wall")->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The animation step of all thirty-two pieces in mid-move, as one frame does it
// (no GL): three axes each, two of them easing with a cosine.
void BM_AnimationStep(benchmark::State &state)
{
    TMovement moves[ROSTER_COUNT];
    for (TMovement &m : moves) {
        m = TMovement{};
        m.state = 2;
        m.delta[0] = 3.0f;
        m.delta[1] = 4.0f;
        m.T1[1] = 0.4f;
        m.T2[0] = 1.2f;
        m.T2[1] = 2.0f;
    }
    const float t = 1.0f; // both axes in motion, none arrives
    for (auto _ : state) {
        for (TMovement &m : moves)
            calc_axis_pos(t, &m);
        benchmark::DoNotOptimize(moves);
    }
}
BENCHMARK(BM_AnimationStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
