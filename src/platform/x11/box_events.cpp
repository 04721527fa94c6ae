// The help box's event loop: its keys, its OK button, the window manager's
// close, its destruction by another client, and the requests to come forward.
#include <poll.h>
#include <sys/eventfd.h>

#include <cerrno>

#include "platform/x11/box_parts.h"

namespace help_box {

namespace {

// The keys that close the box, and the core protocol's constants that XCB
// leaves to the client.
constexpr xcb_keysym_t key_return = 0xFF0D, key_kp_enter = 0xFF8D, key_escape = 0xFF1B, key_space = 0x20;
constexpr uint8_t synthetic = 0x80; // set in events that another client sent

// The key's first keysym, as the server's keyboard mapping has it now.
xcb_keysym_t first_keysym(xcb_connection_t *connection, xcb_keycode_t key)
{
    Reply<xcb_get_keyboard_mapping_reply_t> mapping{
        xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, key, 1), nullptr)};
    if (!mapping || xcb_get_keyboard_mapping_keysyms_length(mapping.get()) == 0)
        return 0;
    return xcb_get_keyboard_mapping_keysyms(mapping.get())[0];
}

// Whether the key is down now. A held key repeats as a release and a press
// together, and the server has taken both by the time it answers: only the
// release that lets the key go leaves it up.
bool key_down(xcb_connection_t *connection, xcb_keycode_t key)
{
    Reply<xcb_query_keymap_reply_t> keymap{
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr)};
    return keymap && (keymap->keys[key / 8] & (1u << (key % 8))) != 0;
}

bool inside_button(const Box &box, int x, int y)
{
    const BoxRect &b = box.layout.button;
    return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
}

enum class Outcome { open, redraw, closed };

Outcome handle(Box &box, const xcb_generic_event_t *event)
{
    switch (event->response_type & ~synthetic) {
    case XCB_EXPOSE:
        return reinterpret_cast<const xcb_expose_event_t *>(event)->count == 0 ? Outcome::redraw : Outcome::open;
    case XCB_FOCUS_IN:
    case XCB_FOCUS_OUT:
        box.focused = (event->response_type & ~synthetic) == XCB_FOCUS_IN;
        return Outcome::redraw;
    // A key closes the box when it comes up, not when it goes down: held, it
    // would repeat after the box is gone, into the window beneath it, the
    // scene, where Escape ends the program. Only a key whose press the box had
    // closes it.
    case XCB_KEY_PRESS: {
        const xcb_keycode_t code = reinterpret_cast<const xcb_key_press_event_t *>(event)->detail;
        const xcb_keysym_t key = first_keysym(box.connection, code);
        if (key == key_return || key == key_kp_enter || key == key_space || key == key_escape)
            box.closing_key = code;
        return Outcome::open;
    }
    case XCB_KEY_RELEASE: {
        const xcb_keycode_t code = reinterpret_cast<const xcb_key_release_event_t *>(event)->detail;
        return code == box.closing_key && !key_down(box.connection, code) ? Outcome::closed : Outcome::open;
    }
    case XCB_BUTTON_PRESS: {
        const auto *press = reinterpret_cast<const xcb_button_press_event_t *>(event);
        if (press->detail != XCB_BUTTON_INDEX_1 || !inside_button(box, press->event_x, press->event_y))
            return Outcome::open;
        box.pressed = true;
        return Outcome::redraw;
    }
    case XCB_BUTTON_RELEASE: {
        const auto *release = reinterpret_cast<const xcb_button_release_event_t *>(event);
        if (release->detail != XCB_BUTTON_INDEX_1 || !box.pressed)
            return Outcome::open;
        box.pressed = false;
        return inside_button(box, release->event_x, release->event_y) ? Outcome::closed : Outcome::redraw;
    }
    case XCB_CLIENT_MESSAGE: {
        const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event);
        const bool deleted = message->format == 32 && message->type == box.atoms.wm_protocols &&
                             message->data.data32[0] == box.atoms.wm_delete;
        return deleted ? Outcome::closed : Outcome::open;
    }
    case XCB_DESTROY_NOTIFY: // by another client
        if (reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window != box.window)
            return Outcome::open;
        box.window = 0;
        return Outcome::closed;
    default: // among them the errors of requests on a window that is gone
        return Outcome::open;
    }
}

} // namespace

// Runs the box until it is closed, another client destroys it or its
// connection is lost. The events that have come are handled first and a
// redraw that they ask for is done once; then the box waits for its
// connection or for a request to come forward.
void run_box(Box &box, int raise_fd)
{
    const int connection_fd = xcb_get_file_descriptor(box.connection);
    for (;;) {
        bool redraw = false;
        while (Reply<xcb_generic_event_t> event{xcb_poll_for_event(box.connection)}) {
            const Outcome outcome = handle(box, event.get());
            if (outcome == Outcome::closed)
                return;
            redraw = redraw || outcome == Outcome::redraw;
        }
        if (xcb_connection_has_error(box.connection))
            return;
        if (redraw) {
            draw(box);
            continue; // its replies may have brought events along
        }
        pollfd ready[] = {{connection_fd, POLLIN, 0}, {raise_fd, POLLIN, 0}}; // poll passes over a raise_fd of -1
        if (poll(ready, 2, -1) < 0 && errno != EINTR)
            return;
        eventfd_t requests = 0;
        if ((ready[1].revents & POLLIN) != 0 && eventfd_read(raise_fd, &requests) == 0)
            raise_box(box);
    }
}

} // namespace help_box
