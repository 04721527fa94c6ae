// GLUT's windowing in the browser: the page's canvas is the window, its WebGL 2
// context the GL context that the GL layer draws into, and the page's events
// reach the program through the callbacks, one at a time.
#include <GL/freeglut.h>
#include <emscripten/html5.h>
#include <fixedgl.h>

#include <cstdio>
#include <cstdlib>

#include "platform/web/page.h"

namespace {

int requested_width = 300, requested_height = 300; // GLUT's own default
unsigned display_mode = GLUT_RGB;
bool frame_requested = false;

void (*display_callback)() = nullptr;
void (*reshape_callback)(int, int) = nullptr;
void (*keyboard_callback)(unsigned char, int, int) = nullptr;
void (*special_callback)(int, int, int) = nullptr;
void (*mouse_callback)(int, int, int, int) = nullptr;
void (*motion_callback)(int, int) = nullptr;

// Menus are numbered from 1 in the order they are made; the last one made is
// the one that entries go to and that a button is attached to.
constexpr int max_menus = 8;
void (*menu_callbacks[max_menus])(int) = {};
int menu_count = 0;
int current_menu = 0;

} // namespace

void glutInit(int *, char **) {}

void glutInitWindowSize(int width, int height)
{
    requested_width = width;
    requested_height = height;
}

void glutInitDisplayMode(unsigned int mode) { display_mode = mode; }

int glutCreateWindow(const char *title)
{
    web_window_open(requested_width, requested_height, title);

    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = false; // an opaque window, whatever lies under the canvas
    attributes.depth = (display_mode & GLUT_DEPTH) != 0;
    attributes.stencil = false;
    attributes.antialias = false; // as the desktop's window: one sample per pixel
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        std::fprintf(stderr, "schach3d: this browser has no WebGL 2 for the canvas\n");
        web_no_webgl();
        std::exit(1);
    }
    return 1;
}

void glutSetWindowTitle(const char *title) { web_window_title(title); }

void glutDisplayFunc(void (*callback)()) { display_callback = callback; }
void glutReshapeFunc(void (*callback)(int, int)) { reshape_callback = callback; }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { keyboard_callback = callback; }
void glutSpecialFunc(void (*callback)(int, int, int)) { special_callback = callback; }
void glutMouseFunc(void (*callback)(int, int, int, int)) { mouse_callback = callback; }
void glutMotionFunc(void (*callback)(int, int)) { motion_callback = callback; }

void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value)
{
    web_timer_start(milliseconds, callback, value);
}

void glutPostRedisplay()
{
    // Any number of requests before the next paint make one frame.
    if (!frame_requested) {
        frame_requested = true;
        web_request_frame();
    }
}

// The browser shows what was drawn once the callback returns to it; the GL
// layer's waiting draws go out now, as a swap flushes.
void glutSwapBuffers() { glFlush(); }

int glutGet(GLenum query)
{
    switch (query) {
    case GLUT_WINDOW_WIDTH:
        return web_window_width();
    case GLUT_WINDOW_HEIGHT:
        return web_window_height();
    case GLUT_ELAPSED_TIME:
        return static_cast<int>(web_elapsed_ms());
    default:
        return 0;
    }
}

int glutCreateMenu(void (*callback)(int))
{
    if (menu_count == max_menus)
        return 0;
    menu_callbacks[menu_count++] = callback;
    current_menu = menu_count;
    return current_menu;
}

void glutAddMenuEntry(const char *label, int value)
{
    if (current_menu != 0)
        web_menu_add(current_menu, label, value);
}

void glutAttachMenu(int button)
{
    if (current_menu != 0)
        web_menu_attach(current_menu, button);
}

void glutMainLoop()
{
    // As a desktop toolkit does when the window first shows: its size, then a
    // frame (which web_on_reshape asks for).
    web_on_reshape(web_window_width(), web_window_height());
    // From here on the page's events drive everything; main never returns.
    emscripten_exit_with_live_runtime();
}

void web_on_reshape(int width, int height)
{
    if (reshape_callback != nullptr)
        reshape_callback(width, height);
    else
        glViewport(0, 0, width, height);
    glutPostRedisplay();
}

void web_on_context_restored()
{
    fixedgl_context_restored();
    // The context comes back with an empty drawing buffer: the picture is
    // drawn again, and with it any frame asked for while it was lost, which
    // the page has held back.
    frame_requested = false;
    glutPostRedisplay();
}

void web_on_display()
{
    frame_requested = false;
    if (display_callback != nullptr)
        display_callback();
}

void web_on_key(int key, int x, int y)
{
    if (keyboard_callback != nullptr)
        keyboard_callback(static_cast<unsigned char>(key), x, y);
}

void web_on_special(int key, int x, int y)
{
    if (special_callback != nullptr)
        special_callback(key, x, y);
}

void web_on_mouse(int button, int state, int x, int y)
{
    if (mouse_callback != nullptr)
        mouse_callback(button, state, x, y);
}

void web_on_motion(int x, int y)
{
    if (motion_callback != nullptr)
        motion_callback(x, y);
}

void web_on_timer(void (*callback)(int), int value) { callback(value); }

void web_on_menu(int menu, int value)
{
    if (menu >= 1 && menu <= menu_count)
        menu_callbacks[menu - 1](value);
}
