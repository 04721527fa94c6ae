// Bringing the help box to the front with the focus when the scene asks for
// it again: through the window manager where one runs, else by itself.
#include <cstring>

#include "platform/x11/box_parts.h"

namespace help_box {

namespace {

constexpr uint32_t from_application = 1; // the source of a _NET_ACTIVE_WINDOW request

// A running window manager names a window of its own on the root window,
// and that window names itself.
bool window_manager_runs(const Box &box)
{
    const auto named = [&](xcb_window_t on) {
        const std::string value = property_bytes(box.connection, on, box.atoms.net_supporting_wm_check,
                                                 XCB_ATOM_WINDOW, sizeof(xcb_window_t));
        xcb_window_t window = 0;
        if (value.size() == sizeof window)
            std::memcpy(&window, value.data(), sizeof window);
        return window;
    };
    const xcb_window_t check = named(box.screen->root);
    return check != 0 && named(check) == check;
}

} // namespace

// Brings the box to the front with the focus: a window manager is asked to
// (it may hold a request against focus stealing); without one, the box does
// it itself, and the focus goes back to the pointer when the box closes.
void raise_box(const Box &box)
{
    if (window_manager_runs(box)) {
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = box.window;
        request.type = box.atoms.net_active_window;
        request.data.data32[0] = from_application;
        request.data.data32[1] = XCB_CURRENT_TIME;
        request.data.data32[2] = box.owner; // the window active now, as far as the box knows
        xcb_send_event(box.connection, 0, box.screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&request));
    } else {
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(box.connection, box.window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(box.connection, XCB_INPUT_FOCUS_POINTER_ROOT, box.window, XCB_CURRENT_TIME);
    }
    xcb_flush(box.connection);
}

} // namespace help_box
