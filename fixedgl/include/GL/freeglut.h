/*
 * fixedgl's GLUT. Two halves with two owners:
 *   - the solid shapes, drawn by the layer through its GL (see GL/gl.h), with
 *     the same vertices, normals and order as freeglut's;
 *   - the windowing (init, window, callbacks, main loop, redisplay, swap,
 *     title, timers, menus), which the layer does NOT define: the platform
 *     that links the layer does (the web platform; a native tool its stubs).
 * The values are freeglut's, so that code written for it runs unchanged.
 */
#ifndef FIXEDGL_FREEGLUT_H
#define FIXEDGL_FREEGLUT_H

#include <GL/gl.h>
#include <GL/glu.h>

#ifdef __cplusplus
extern "C" {
#endif

#define GLUT_RGB 0x0000
#define GLUT_RGBA 0x0000
#define GLUT_DOUBLE 0x0002
#define GLUT_DEPTH 0x0010

#define GLUT_LEFT_BUTTON 0x0000
#define GLUT_MIDDLE_BUTTON 0x0001
#define GLUT_RIGHT_BUTTON 0x0002
#define GLUT_DOWN 0x0000
#define GLUT_UP 0x0001

#define GLUT_KEY_F1 0x0001
#define GLUT_KEY_F2 0x0002
#define GLUT_KEY_LEFT 0x0064
#define GLUT_KEY_UP 0x0065
#define GLUT_KEY_RIGHT 0x0066
#define GLUT_KEY_DOWN 0x0067

#define GLUT_WINDOW_WIDTH 0x0066
#define GLUT_WINDOW_HEIGHT 0x0067
#define GLUT_ELAPSED_TIME 0x02BC

/* Solid shapes: the layer's */
void fixedgl_glutSolidSphere(GLdouble radius, GLint slices, GLint stacks);
void fixedgl_glutSolidCone(GLdouble base, GLdouble height, GLint slices, GLint stacks);
void fixedgl_glutSolidTorus(GLdouble innerRadius, GLdouble outerRadius, GLint sides, GLint rings);
void fixedgl_glutSolidCube(GLdouble size);

/* Windowing: the platform's */
void glutInit(int *argc, char **argv);
void glutInitWindowSize(int width, int height);
void glutInitDisplayMode(unsigned int mode);
int glutCreateWindow(const char *title);
void glutSetWindowTitle(const char *title);
void glutDisplayFunc(void (*callback)(void));
void glutReshapeFunc(void (*callback)(int width, int height));
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
void glutSpecialFunc(void (*callback)(int key, int x, int y));
void glutMouseFunc(void (*callback)(int button, int state, int x, int y));
void glutMotionFunc(void (*callback)(int x, int y));
void glutTimerFunc(unsigned int milliseconds, void (*callback)(int value), int value);
void glutMainLoop(void);
void glutPostRedisplay(void);
void glutSwapBuffers(void);
int glutGet(GLenum query);
int glutCreateMenu(void (*callback)(int value));
void glutAddMenuEntry(const char *label, int value);
void glutAttachMenu(int button);

#ifdef __cplusplus
}
#endif

#ifndef FIXEDGL_IMPLEMENTATION
#define glutSolidSphere fixedgl_glutSolidSphere
#define glutSolidCone fixedgl_glutSolidCone
#define glutSolidTorus fixedgl_glutSolidTorus
#define glutSolidCube fixedgl_glutSolidCube
#endif

#endif /* FIXEDGL_FREEGLUT_H */
