// The scene window on a scaled display. The program is DPI-aware (its
// manifest, packaging/windows/schach3d.manifest), so Windows draws the scene
// at the display's own resolution instead of stretching a 96-dpi picture,
// and the window is sized in the display's pixels.
#include "platform/startup.h"

#include <GL/freeglut.h>
#include <windows.h>

void platform_toolkit_started(bool window_size_given)
{
    // A size from -geometry is in the display's pixels already.
    if (window_size_given)
        return;
    // The start size times the display's scale, so that the window covers
    // as much of the screen as on an unscaled display: 900x600 at 100 %,
    // 1800x1200 at 200 %. Windows' "system" DPI is that of the main display
    // at log-on; on another display Windows scales the window itself.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi != USER_DEFAULT_SCREEN_DPI)
        glutInitWindowSize(MulDiv(glutGet(GLUT_INIT_WINDOW_WIDTH), dpi, USER_DEFAULT_SCREEN_DPI),
                           MulDiv(glutGet(GLUT_INIT_WINDOW_HEIGHT), dpi, USER_DEFAULT_SCREEN_DPI));
}
