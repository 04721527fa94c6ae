/* fixedgl: GLUT under its classic name (see GL/freeglut.h) */
#include <GL/freeglut.h>
