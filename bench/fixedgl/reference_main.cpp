// The comparison's reference: the scene through Mesa's own fixed-function
// GL, in a freeglut window (it needs an X display: run it under Xvfb).
#include <GL/freeglut.h>

#include <cstdio>

#include "scene_check.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUT_DIR SCENE\n", argv[0]);
        return 2;
    }
    int glut_argc = 1;
    glutInitWindowSize(check_width, check_height);
    glutInit(&glut_argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("fixedgl reference");
    return run_scene_check(argv[1], argv[2]);
}
