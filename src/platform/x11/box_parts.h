// What the parts of the X11 help box share: the open box, and what each part
// does for the others. Only the box's own files include it.
#pragma once

#include <cairo.h>
#include <pango/pango.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/x11/box_layout.h"

namespace help_box {

// Frees what XCB hands out with malloc.
struct Free {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

struct Atoms {
    xcb_atom_t wm_protocols, wm_delete, net_wm_name, utf8_string, net_wm_window_type, dialog, net_wm_pid,
        net_active_window, net_supporting_wm_check;
};

struct Box {
    xcb_connection_t *connection = nullptr;
    const xcb_screen_t *screen = nullptr;
    xcb_visualtype_t *visual = nullptr;
    xcb_window_t window = 0;
    xcb_window_t owner = 0;
    Atoms atoms{};
    BoxLayout layout;
    PangoContext *fonts = nullptr;
    PangoLayout *text = nullptr, *label = nullptr;
    int label_width = 0, label_height = 0;
    cairo_surface_t *surface = nullptr;
    bool pressed = false; // the pointer went down on the button and is still held
    xcb_keycode_t closing_key = 0; // the last key that closes the box to go down in it
    bool focused = false;
};

// The connection (box_connection.cpp): to the named display (null: $DISPLAY),
// one on this machine's socket with the cookie found without libXau's shared
// buffer; then the numbered screen and its own visual, which cairo draws for.
xcb_connection_t *connect_to(const char *display_name, int *screen);
const xcb_screen_t *screen_number(xcb_connection_t *connection, int number);
xcb_visualtype_t *root_visual(const xcb_screen_t *screen);

// Atoms and properties (box_properties.cpp).
Atoms intern_atoms(xcb_connection_t *connection);
// The bytes of a window's property, as far as the first maximum_bytes go.
std::string property_bytes(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
                           xcb_atom_t type, uint32_t maximum_bytes);
// Names the box, groups it with the scene window, fixes its size and place
// (x, y) and asks for the window manager's close.
void set_window_properties(const Box &box, const char *title, int x, int y);

// The screen's areas (box_monitors.cpp): the monitors as RandR has them,
// none where the server has no RandR 1.5; where the owner window is now, the
// whole screen when there is no owner, or it is gone.
std::vector<BoxRect> monitors(xcb_connection_t *connection, xcb_window_t root);
BoxRect owner_area(const Box &box);

// Text and drawing (box_drawing.cpp): the text and the button's label laid
// out by pango at the screen's resolution; the window's border pixel; the
// whole box drawn by cairo.
void lay_out_text(Box &box, const char *text, double dpi);
uint32_t border_pixel(const Box &box);
void draw(const Box &box);

// To the front with the focus (box_raising.cpp).
void raise_box(const Box &box);

// The event loop (box_events.cpp): until the box is closed, another client
// destroys it or its connection is lost; raise_fd asks it forward.
void run_box(Box &box, int raise_fd);

} // namespace help_box
