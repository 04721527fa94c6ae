#include "scene_check.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/display.h"
#include "controls/keyboard.h"
#include "core/roster.h"
#include "core/scene_state.h"
#include "core/toolkit.h"
#include "core/view.h"
#include "interaction/picking.h"
#include "interaction/selection_handlers.h"
#include "gl_scene.h" // memory_in_use_mib

namespace {

constexpr int pick_step = 4;
constexpr int timed_frames = 40;
constexpr int memory_frames = 1000, memory_picks = 5000;
constexpr unsigned untouched = 0xFFFFFFFFu; // no record starts with this many names

struct Scene {
    const char *name;
    bool picked;
    void (*prepare)();
};

void press(const char *keys)
{
    for (const char *k = keys; *k; ++k)
        keyboard(static_cast<unsigned char>(*k), 0, 0);
}

// Bauer Nr. 13 from B3 to D3, drawn until it has arrived and come to rest.
void move_pawn()
{
    handle_select_events("Bauer Nr. 13");
    handle_select_events("D3");
    for (int frame = 0; frame < 2000 && F3_Movement.state != 0; ++frame) {
        myTime += 0.1;
        draw_frame();
    }
}

void turn()
{
    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_LEFT, GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_UP})
        handleSpecialKeys(key, 0, 0);
}

// Frames and picks, with the light on and a pawn armed so that the marker,
// the spot and the plate are drawn too; the resident memory after a first
// round and after many more.
void measure_memory(const std::string &path)
{
    press("a");
    handle_select_events("Bauer Nr. 13");
    const auto round = [](int frames, int picks) {
        for (int i = 0; i < frames; ++i) {
            myTime += 0.02;
            draw_frame();
            glFinish();
        }
        for (int i = 0; i < picks; ++i)
            myPickFunc((i * 37) % check_width, (i * 53) % check_height, 0);
    };
    round(300, 1000); // the driver's first allocations for each state
    const double before = memory_in_use_mib();
    round(memory_frames, memory_picks);
    const double after = memory_in_use_mib();
    FILE *f = std::fopen(path.c_str(), "w");
    std::fprintf(f, "%d %d %.3f %.3f\n", memory_frames, memory_picks, before, after);
    std::fclose(f);
}

const Scene scenes[] = {
    {"start", true, [] {}},
    {"light", true, [] { press("a"); }},
    {"points", false, [] { press("p"); }},
    {"lines", false, [] { press("l"); }},
    {"opaque", false, [] { press("d"); }},
    {"pawn", true, move_pawn},
    {"turned", false, turn},
};

void write_frame(const std::string &path)
{
    std::vector<unsigned char> rgba(check_width * check_height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, check_width, check_height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fprintf(f, "P6\n%d %d\n255\n", check_width, check_height);
    for (int y = check_height - 1; y >= 0; --y) // top row first
        for (int x = 0; x < check_width; ++x)
            std::fwrite(&rgba[(y * check_width + x) * 4], 1, 3, f);
    std::fclose(f);
}

// The hit records of the last pick, up to the first word the pick left untouched.
void write_picks(const std::string &path)
{
    FILE *f = std::fopen(path.c_str(), "w");
    for (int y = 0; y < check_height; y += pick_step)
        for (int x = 0; x < check_width; x += pick_step) {
            std::fill(std::begin(select_buffer), std::end(select_buffer), untouched);
            myPickFunc(x, y, 0);
            std::fprintf(f, "%d %d %s|", x, y, selected_name);
            const std::size_t size = sizeof select_buffer / sizeof select_buffer[0];
            std::size_t at = 0;
            while (at + 3 <= size && select_buffer[at] != untouched) {
                const unsigned names = select_buffer[at];
                std::fprintf(f, " %u %u", select_buffer[at + 1], select_buffer[at + 2]);
                at += 3;
                for (unsigned n = 0; n < names && at < size; ++n, ++at)
                    std::fprintf(f, " %u", select_buffer[at]);
                std::fputc(';', f);
            }
            std::fputc('\n', f);
        }
    std::fclose(f);
}

double milliseconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void init_scene()
{
#define INIT_PIECE(mov, off, init, ...) init();
    SCHACH3D_ROSTER(INIT_PIECE)
#undef INIT_PIECE
    my_resize(check_width, check_height);
}

} // namespace

int run_scene_check(const char *out_dir, const char *scene_name)
{
    post_redisplay = [] {};
    set_window_title = [](const char *) {};
    const std::string base = std::string(out_dir) + "/" + scene_name;
    if (std::strcmp(scene_name, "memory") == 0) {
        init_scene();
        measure_memory(base + ".memory");
        return 0;
    }
    const Scene *scene = nullptr;
    for (const Scene &s : scenes)
        if (std::strcmp(s.name, scene_name) == 0)
            scene = &s;
    if (scene == nullptr) {
        std::fprintf(stderr, "unknown scene %s\n", scene_name);
        return 2;
    }
    init_scene();
    scene->prepare();

    draw_frame();
    glFinish();
    write_frame(base + ".ppm");

    // The frame as a whole, and the part of it until the last call returns:
    // the rest is the rasteriser finishing.
    double frame_ms = 0.0, issue_ms = 0.0;
    for (int i = 0; i < timed_frames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        draw_frame();
        issue_ms += milliseconds_since(start) / timed_frames;
        glFinish();
        frame_ms += milliseconds_since(start) / timed_frames;
    }
    double pick_ms = 0.0;
    if (scene->picked) {
        const auto start = std::chrono::steady_clock::now();
        write_picks(base + ".picks");
        pick_ms = milliseconds_since(start) / ((check_width / pick_step) * (check_height / pick_step));
    }
    FILE *f = std::fopen((base + ".time").c_str(), "w");
    std::fprintf(f, "%.4f %.4f %.4f\n", frame_ms, pick_ms, issue_ms);
    std::fclose(f);
    return 0;
}
