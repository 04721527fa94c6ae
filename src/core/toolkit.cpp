#include "core/toolkit.h"

#include <GL/freeglut.h>

void (*post_redisplay)() = glutPostRedisplay;
void (*set_window_title)(const char *title) = glutSetWindowTitle;
