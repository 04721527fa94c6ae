// What the scene code links from a platform and GLUT's windowing, which a
// tool that drives the scene directly never calls: nothing happens.
#include <GL/freeglut.h>

#include "platform/message_box.h"
#include "platform/motion_events.h"
#include "platform/thread.h"

void note_message_box_place() {}
bool show_message_box(const char *, const char *) { return false; }
void raise_message_box() {}
const char message_box_failure[] = "";
bool later_motion_event_queued() { return false; }
bool start_thread(ThreadProc) { return false; }
void sleep_milliseconds(unsigned) {}

extern "C" {
void glutInit(int *, char **) {}
void glutInitWindowSize(int, int) {}
void glutInitDisplayMode(unsigned int) {}
int glutCreateWindow(const char *) { return 0; }
void glutSetWindowTitle(const char *) {}
void glutDisplayFunc(void (*)(void)) {}
void glutReshapeFunc(void (*)(int, int)) {}
void glutKeyboardFunc(void (*)(unsigned char, int, int)) {}
void glutSpecialFunc(void (*)(int, int, int)) {}
void glutMouseFunc(void (*)(int, int, int, int)) {}
void glutMotionFunc(void (*)(int, int)) {}
void glutTimerFunc(unsigned int, void (*)(int), int) {}
void glutMainLoop(void) {}
void glutPostRedisplay(void) {}
void glutSwapBuffers(void) {}
int glutGet(GLenum) { return 0; }
int glutCreateMenu(void (*)(int)) { return 0; }
void glutAddMenuEntry(const char *, int) {}
void glutAttachMenu(int) {}
}
