#include <GL/freeglut.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/keyboard.h"
#include "controls/menu.h"
#include "controls/wall_clock.h"
#include "core/roster.h"
#include "core/scene_state.h"
#include "core/view.h"
#include "interaction/picking.h"
#include "platform/memory.h"

namespace {

// The display the toolkit will use, read from the command line as glutInit
// reads it: "-display" and "-geometry" each take the next argument, whatever it
// is, and the last "-display" counts. Null: $DISPLAY.
const char *requested_display(int argc, char **argv)
{
    const char *name = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0)
            name = argv[++i];
        else if (std::strcmp(argv[i], "-geometry") == 0)
            ++i;
    }
    return name;
}

// Say plainly why there is no window instead of leaving it to the toolkit.
Display *open_display(const char *name)
{
    Display *display = XOpenDisplay(name);
    if (display == nullptr) {
        const char *shown = name ? name : std::getenv("DISPLAY");
        std::fprintf(stderr, "schach3d: cannot open the X display \"%s\"\n", shown ? shown : "");
    }
    return display;
}

} // namespace

int main(int argc, char **argv)
{
    // Xlib is safe for more than one thread only when this comes before any
    // other Xlib call; the help box's thread talks to the server through XCB.
    XInitThreads();
    keep_freed_memory_for_reuse();
    Display *probe = open_display(requested_display(argc, argv));
    if (probe == nullptr)
        return 1;

    glutInitWindowSize(win_width, win_height);
    glutInit(&argc, argv);
    // Closed only now: an X server whose last client leaves resets itself and
    // would turn the toolkit's own connection away meanwhile.
    XCloseDisplay(probe);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Objekt mit linker Maustaste anklicken");

    uhrzeit();

#define SCHACH3D_INIT_PIECE(mov, off, init, ...) init();
    SCHACH3D_ROSTER(SCHACH3D_INIT_PIECE)
#undef SCHACH3D_INIT_PIECE

    create_menu();

    glutDisplayFunc(my_draw);
    glutReshapeFunc(my_resize);
    glutTimerFunc(100, handleTimer, 0);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(handleSpecialKeys);
    glutMouseFunc(handleMouse);
    glutMotionFunc(handleMouseMove);

    glutMainLoop();
    return 0;
}
