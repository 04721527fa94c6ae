// A modal information box on an X connection of its own, so that it can run
// on a thread that never touches the toolkit's connection or the GL context.
// Its text is laid out by pango and drawn by cairo on that connection,
// antialiased at the screen's resolution, and the whole box is scaled to it.
// Its parts: box_connection, box_properties, box_monitors, box_drawing,
// box_raising and box_events; here it opens, runs and closes.
//
// Whatever happens to the box, only the box ends. XCB reports a failed request
// as an event, which the box ignores (another client may have destroyed its
// window), and a lost connection as no further event: every request on it is
// then dropped and every reply is null, so the box just stops.
#include "platform/x11/message_box.h"

#include <cairo-xcb.h>
#include <pango/pangocairo.h>
#include <signal.h>

#include "platform/x11/box_parts.h"

using namespace help_box;

namespace {

bool open_box(Box &box, int screen, double dpi, const char *text, const char *title)
{
    box.screen = screen_number(box.connection, screen);
    if (box.screen == nullptr || (box.visual = root_visual(box.screen)) == nullptr)
        return false;
    box.atoms = intern_atoms(box.connection);
    lay_out_text(box, text, dpi);

    const BoxRect owner = owner_area(box);
    const BoxRect monitor =
        monitor_of(owner, monitors(box.connection, box.screen->root),
                   {0, 0, box.screen->width_in_pixels, box.screen->height_in_pixels});
    int text_width = 0, text_height = 0;
    pango_layout_get_pixel_size(box.text, &text_width, &text_height);
    const int frame = 2; // the window's border of one pixel on each side
    box.layout = lay_out_box(dpi / normal_dpi, text_width, text_height, box.label_width, box.label_height,
                             monitor.width - frame, monitor.height - frame);
    const BoxRect at = place_box(owner, monitor, box.layout.width + frame, box.layout.height + frame);

    box.window = xcb_generate_id(box.connection);
    // In the order of their bits.
    const uint32_t attributes[] = {
        box.screen->white_pixel, border_pixel(box),
        XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
            XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_FOCUS_CHANGE |
            XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(box.connection, XCB_COPY_FROM_PARENT, box.window, box.screen->root,
                      static_cast<int16_t>(at.x), static_cast<int16_t>(at.y),
                      static_cast<uint16_t>(box.layout.width), static_cast<uint16_t>(box.layout.height), 1,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, box.screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK, attributes);
    set_window_properties(box, title, at.x, at.y);
    box.surface =
        cairo_xcb_surface_create(box.connection, box.window, box.visual, box.layout.width, box.layout.height);

    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(box.connection, box.window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_map_window(box.connection, box.window);
    return xcb_flush(box.connection) > 0;
}

// Frees the box's server resources and what the font stack holds for it; on
// a lost connection these requests go nowhere, and the disconnect frees the
// rest. Cairo keeps a device per connection until it is finished: finished
// here, before the connection goes.
void close_box(Box &box)
{
    if (box.surface != nullptr) {
        cairo_device_t *device = cairo_device_reference(cairo_surface_get_device(box.surface));
        cairo_surface_destroy(box.surface);
        cairo_device_finish(device);
        cairo_device_destroy(device);
    }
    for (gpointer object : {static_cast<gpointer>(box.label), static_cast<gpointer>(box.text),
                            static_cast<gpointer>(box.fonts)})
        if (object != nullptr)
            g_object_unref(object);
    if (box.window != 0)
        xcb_destroy_window(box.connection, box.window);
    xcb_flush(box.connection);
    xcb_disconnect(box.connection);
}

} // namespace

bool show_message_box(const BoxPlace &place, const char *text, const char *title)
{
    // A write to a connection that was killed just then raises SIGPIPE, which
    // would end the process: the write fails instead, and the connection
    // counts as lost.
    sigset_t broken_pipe;
    sigemptyset(&broken_pipe);
    sigaddset(&broken_pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &broken_pipe, nullptr);

    Box box;
    int screen = 0;
    box.connection = connect_to(place.display_name, &screen);
    if (xcb_connection_has_error(box.connection)) {
        xcb_disconnect(box.connection);
        return false;
    }
    box.owner = place.owner;
    const bool opened = open_box(box, screen, place.dpi, text, title);
    if (opened)
        run_box(box, place.raise_fd);
    close_box(box);
    return opened;
}
