// The help box's atoms and window properties: its names, class, hints, size,
// owner, type and process, as window managers and taskbars read them.
#include <unistd.h>

#include <cstring>
#include <iterator>

#include "platform/x11/box_parts.h"
#include "platform/x11/windows1252.h"

namespace help_box {

namespace {

// The core protocol's constants that XCB leaves to the client.
constexpr uint32_t hint_input = 1 << 0, hint_state = 1 << 1, normal_state = 1;   // WM_HINTS
constexpr uint32_t size_position = 1 << 2, size_min = 1 << 4, size_max = 1 << 5; // WM_NORMAL_HINTS

void set_property(const Box &box, xcb_atom_t property, xcb_atom_t type, uint8_t format, size_t count,
                  const void *data)
{
    xcb_change_property(box.connection, XCB_PROP_MODE_REPLACE, box.window, property, type, format,
                        static_cast<uint32_t>(count), data);
}

} // namespace

Atoms intern_atoms(xcb_connection_t *connection)
{
    const char *const names[] = {"WM_PROTOCOLS",
                                 "WM_DELETE_WINDOW",
                                 "_NET_WM_NAME",
                                 "UTF8_STRING",
                                 "_NET_WM_WINDOW_TYPE",
                                 "_NET_WM_WINDOW_TYPE_DIALOG",
                                 "_NET_WM_PID",
                                 "_NET_ACTIVE_WINDOW",
                                 "_NET_SUPPORTING_WM_CHECK"};
    // All requests first, then the replies: one round trip.
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i)
        cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(names[i])),
                                     names[i]);
    xcb_atom_t atoms[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i) {
        Reply<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(connection, cookies[i], nullptr)};
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5], atoms[6], atoms[7], atoms[8]};
}

std::string property_bytes(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
                           xcb_atom_t type, uint32_t maximum_bytes)
{
    Reply<xcb_get_property_reply_t> reply{xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, maximum_bytes / 4), nullptr)};
    if (!reply)
        return {};
    const int length = xcb_get_property_value_length(reply.get());
    return std::string(static_cast<const char *>(xcb_get_property_value(reply.get())), static_cast<size_t>(length));
}

void set_window_properties(const Box &box, const char *title, int x, int y)
{
    set_property(box, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, std::strlen(title), title);
    const std::string utf8_title = windows1252_to_utf8(title);
    set_property(box, box.atoms.net_wm_name, box.atoms.utf8_string, 8, utf8_title.size(), utf8_title.data());

    // The scene window's class, so that a taskbar groups the box with it and the
    // menu entry (StartupWMClass); instance and class, each ending in a zero byte.
    const char wm_class[] = "schach3d\0schach3d";
    set_property(box, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof wm_class, wm_class);

    // flags, input, initial state, icon pixmap, icon window, icon x and y, icon mask, window group
    const uint32_t wm_hints[9] = {hint_input | hint_state, 1, normal_state};
    set_property(box, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, std::size(wm_hints), wm_hints);

    // A fixed size, centred on the scene window: flags, x, y, width, height,
    // min width and height, max width and height, then increments, aspects,
    // base size and gravity, all unset.
    const BoxLayout &l = box.layout;
    uint32_t size_hints[18] = {size_position | size_min | size_max,
                               static_cast<uint32_t>(x),
                               static_cast<uint32_t>(y),
                               0,
                               0,
                               static_cast<uint32_t>(l.width),
                               static_cast<uint32_t>(l.height),
                               static_cast<uint32_t>(l.width),
                               static_cast<uint32_t>(l.height)};
    set_property(box, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, std::size(size_hints), size_hints);

    // The window manager keeps the box above the scene window.
    if (box.owner != 0)
        set_property(box, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &box.owner);
    set_property(box, box.atoms.net_wm_window_type, XCB_ATOM_ATOM, 32, 1, &box.atoms.dialog);

    const uint32_t pid = static_cast<uint32_t>(getpid());
    set_property(box, box.atoms.net_wm_pid, XCB_ATOM_CARDINAL, 32, 1, &pid);

    set_property(box, box.atoms.wm_protocols, XCB_ATOM_ATOM, 32, 1, &box.atoms.wm_delete);
}

} // namespace help_box
