// The scene through the fixedgl layer on Mesa's OpenGL ES 3 (EGL,
// surfaceless: no X display).
#include <cstdio>

#include "es_context.h"
#include "scene_check.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUT_DIR SCENE\n", argv[0]);
        return 2;
    }
    if (!make_es_context(check_width, check_height))
        return 1;
    return run_scene_check(argv[1], argv[2]);
}
