// The program: start-up wires every subsystem to the toolkit, then the
// toolkit's event loop runs all of it through the callbacks.
#include <GL/freeglut.h>

#include "app/command_line.h"
#include "app/display.h"
#include "controls/keyboard.h"
#include "controls/menu.h"
#include "controls/wall_clock.h"
#include "core/roster.h"
#include "core/scene_state.h"
#include "core/view.h"
#include "interaction/picking.h"
#include "platform/console.h"
#include "platform/memory.h"
#include "platform/startup.h"

int main(int argc, char **argv)
{
    prepare_console();
    if (answer_help_or_version(argc, argv))
        return 0;
    keep_freed_memory_for_reuse();
    if (!platform_before_toolkit(argc, argv))
        return 1;

    // Read before glutInit takes the toolkit's options out of argv.
    const bool window_size_given = command_line_sizes_window(argc, argv);
    glutInitWindowSize(win_width, win_height);
    glutInit(&argc, argv);
    // glutInit takes the size from any -geometry, from one with a place alone
    // ("+10+10") whatever its own stack held: the start size again then.
    if (!window_size_given)
        glutInitWindowSize(win_width, win_height);
    platform_toolkit_started(window_size_given);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Objekt mit linker Maustaste anklicken");
    platform_window_created();

    // Where a wait for the clock's second line would freeze the window and
    // hold back its first picture (a web page), start-up goes on meanwhile.
    if (platform_start_may_wait())
        uhrzeit();
    else
        uhrzeit_without_waiting();

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
