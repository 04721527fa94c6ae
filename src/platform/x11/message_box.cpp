// A modal information box drawn with XCB on a connection of its own, so that
// it can run on a thread that never touches the toolkit's connection or the GL
// context. The text is single-byte Latin-1/Windows-1252 and goes to the server
// unchanged: a Latin-1 core font shows its umlauts.
//
// Whatever happens to the box, only the box ends. XCB reports a failed request
// as an event, which the box ignores (another client may have destroyed its
// window), and a lost connection as no further event: every request on it is
// then dropped and every reply is null, so the box just stops.
#include "platform/x11/message_box.h"

#include <X11/Xauth.h>
#include <signal.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/x11/text_lines.h"

namespace {

// Tried in this order; "fixed" exists on every X server.
const char *const font_names[] = {
    "-misc-fixed-medium-r-normal--13-*-*-*-*-*-iso8859-1",
    "fixed",
};

constexpr int margin = 16;
constexpr int icon_size = 32;
constexpr int icon_gap = 14;
constexpr int min_button_width = 80;
constexpr int button_padding = 8;
constexpr int min_text_width = 160;

// The keys that close the box, and the core protocol's constants that XCB
// leaves to the client.
constexpr xcb_keysym_t key_return = 0xFF0D, key_kp_enter = 0xFF8D, key_escape = 0xFF1B;
constexpr uint32_t hint_input = 1 << 0, hint_state = 1 << 1, normal_state = 1;         // WM_HINTS
constexpr uint32_t size_position = 1 << 2, size_min = 1 << 4, size_max = 1 << 5;       // WM_NORMAL_HINTS
constexpr uint8_t synthetic = 0x80; // set in events that another client sent

// Frees what XCB hands out with malloc.
struct Free {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

struct Colours {
    uint32_t text, page, strip, icon, icon_mark;
    uint32_t button_face, button_border, button_default, button_pressed;
};

struct Atoms {
    xcb_atom_t wm_protocols, wm_delete, net_wm_name, utf8_string, net_wm_window_type, dialog, net_wm_pid;
};

struct Box {
    xcb_connection_t *connection = nullptr;
    const xcb_screen_t *screen = nullptr;
    xcb_window_t window = 0;
    xcb_gcontext_t gc = 0;
    xcb_font_t font = 0;
    int ascent = 0, descent = 0;
    Colours colours{};
    Atoms atoms{};
    std::vector<std::string> lines;
    int line_height = 0;
    int label_width = 0; // of "OK"
    int width = 0, height = 0;
    int strip_top = 0;
    xcb_rectangle_t button{};
    bool pressed = false; // the pointer went down on the button and is still held
    bool focused = false;
};

// The cookie for a display on this machine, found as libxcb finds it (the
// first MIT-MAGIC-COOKIE-1 entry for this host's name or any host, and this
// display's number or any) but without libXau's XauFileName: that writes a
// buffer shared by the whole process, which Xlib's display openings on other
// threads write too, under a lock of Xlib's own. No entry, no file: no cookie.
struct Cookie {
    std::string name, data;
};

Cookie local_cookie(int display)
{
    std::string path;
    if (const char *file = std::getenv("XAUTHORITY"); file != nullptr && *file != '\0')
        path = file;
    else if (const char *home = std::getenv("HOME"); home != nullptr)
        path = std::string(home) + (std::strcmp(home, "/") == 0 ? "" : "/") + ".Xauthority";
    char host[256];
    if (path.empty() || gethostname(host, sizeof host) != 0)
        return {};
    host[sizeof host - 1] = '\0';
    const std::string number = std::to_string(display);
    std::unique_ptr<FILE, int (*)(FILE *)> file{std::fopen(path.c_str(), "rb"), std::fclose};
    if (!file)
        return {};
    const auto is = [](const char *bytes, unsigned short length, const std::string &what) {
        return std::string(bytes, length) == what;
    };
    while (Xauth *entry = XauReadAuth(file.get())) {
        const bool this_host =
            entry->family == FamilyWild ||
            (entry->family == FamilyLocal && is(entry->address, entry->address_length, host));
        const bool matches =
            this_host &&
            (entry->number_length == 0 || is(entry->number, entry->number_length, number)) &&
            is(entry->name, entry->name_length, "MIT-MAGIC-COOKIE-1");
        Cookie cookie;
        if (matches)
            cookie = {std::string(entry->name, entry->name_length), std::string(entry->data, entry->data_length)};
        XauDisposeAuth(entry);
        if (matches)
            return cookie;
    }
    return {};
}

// A connection to the named display (null: $DISPLAY). One on this machine's
// socket gets its cookie from local_cookie; for one over the network, libxcb
// looks the cookie up itself.
xcb_connection_t *connect(const char *display_name, int *screen)
{
    char *host = nullptr;
    int display = 0;
    if (xcb_parse_display(display_name, &host, &display, screen) == 0)
        return xcb_connect(display_name, screen); // only to report the failure its own way
    const bool local = host[0] == '\0' || std::strcmp(host, "unix") == 0;
    std::free(host);
    if (!local)
        return xcb_connect(display_name, screen);
    Cookie cookie = local_cookie(display);
    xcb_auth_info_t auth{static_cast<int>(cookie.name.size()), cookie.name.data(), static_cast<int>(cookie.data.size()),
                         cookie.data.data()};
    return xcb_connect_to_display_with_auth_info(display_name, &auth, screen);
}

const xcb_screen_t *screen_number(xcb_connection_t *connection, int number)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; it.rem > 0 && number > 0; --number)
        xcb_screen_next(&it);
    return it.rem > 0 ? it.data : nullptr;
}

Colours allocate_colours(Box &box)
{
    struct Wanted {
        uint8_t r, g, b;
        uint32_t fallback;
    };
    const uint32_t black = box.screen->black_pixel, white = box.screen->white_pixel;
    const Wanted wanted[] = {
        {0xF0, 0xF0, 0xF0, white}, {0x1E, 0x64, 0xC8, black}, {0xE1, 0xE1, 0xE1, white},
        {0xAD, 0xAD, 0xAD, black}, {0x00, 0x78, 0xD7, black}, {0xCC, 0xE4, 0xF7, white},
    };
    // All requests first, then the replies: one round trip.
    xcb_alloc_color_cookie_t cookies[std::size(wanted)];
    for (size_t i = 0; i < std::size(wanted); ++i)
        cookies[i] = xcb_alloc_color(box.connection, box.screen->default_colormap, wanted[i].r * 257,
                                     wanted[i].g * 257, wanted[i].b * 257);
    uint32_t pixel[std::size(wanted)];
    for (size_t i = 0; i < std::size(wanted); ++i) {
        Reply<xcb_alloc_color_reply_t> reply{xcb_alloc_color_reply(box.connection, cookies[i], nullptr)};
        pixel[i] = reply ? reply->pixel : wanted[i].fallback;
    }
    return {black, white, pixel[0], pixel[1], white, pixel[2], pixel[3], pixel[4], pixel[5]};
}

Atoms intern_atoms(xcb_connection_t *connection)
{
    const char *const names[] = {"WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_NAME", "UTF8_STRING",
                                 "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG", "_NET_WM_PID"};
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i)
        cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(names[i])),
                                     names[i]);
    xcb_atom_t atoms[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i) {
        Reply<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(connection, cookies[i], nullptr)};
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5], atoms[6]};
}

// The first font of the list that the server has; false if none (or the
// connection is gone).
bool open_font(Box &box)
{
    for (const char *name : font_names) {
        const xcb_font_t font = xcb_generate_id(box.connection);
        xcb_void_cookie_t opened = xcb_open_font_checked(
            box.connection, font, static_cast<uint16_t>(std::strlen(name)), name);
        Reply<xcb_generic_error_t> error{xcb_request_check(box.connection, opened)};
        if (error)
            continue;
        Reply<xcb_query_font_reply_t> info{xcb_query_font_reply(box.connection, xcb_query_font(box.connection, font),
                                                                nullptr)};
        if (!info)
            return false;
        box.font = font;
        box.ascent = info->font_ascent;
        box.descent = info->font_descent;
        return true;
    }
    return false;
}

// The widths of the strings in the box's font, as the server measures them.
std::vector<int> text_widths(const Box &box, const std::vector<std::string> &strings)
{
    std::vector<xcb_query_text_extents_cookie_t> cookies;
    for (const std::string &s : strings) {
        std::vector<xcb_char2b_t> chars;
        for (const char c : s)
            chars.push_back({0, static_cast<uint8_t>(c)});
        cookies.push_back(
            xcb_query_text_extents(box.connection, box.font, static_cast<uint32_t>(chars.size()), chars.data()));
    }
    std::vector<int> widths;
    for (const xcb_query_text_extents_cookie_t cookie : cookies) {
        Reply<xcb_query_text_extents_reply_t> reply{xcb_query_text_extents_reply(box.connection, cookie, nullptr)};
        widths.push_back(reply ? reply->overall_width : 0);
    }
    return widths;
}

// Latin-1 to UTF-8, for the window manager's UTF-8 title property.
std::string latin1_to_utf8(const char *text)
{
    std::string out;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p) {
        if (*p < 0x80) {
            out += static_cast<char>(*p);
        } else {
            out += static_cast<char>(0xC0 | (*p >> 6));
            out += static_cast<char>(0x80 | (*p & 0x3F));
        }
    }
    return out;
}

xcb_rectangle_t rectangle(int x, int y, int width, int height)
{
    return {static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<uint16_t>(width),
            static_cast<uint16_t>(height)};
}

bool inside_button(const Box &box, int x, int y)
{
    return x >= box.button.x && x < box.button.x + box.button.width && y >= box.button.y &&
           y < box.button.y + box.button.height;
}

// The box's natural size, cut to the screen if that is smaller: the OK button
// keeps its place at the bottom right, and the text shows the lines that fit
// above the button strip (the console has the whole text too).
void lay_out(Box &box)
{
    box.line_height = box.ascent + box.descent;
    std::vector<std::string> strings = box.lines;
    strings.push_back("OK");
    const std::vector<int> widths = text_widths(box, strings);
    const int text_width = std::max(min_text_width, *std::max_element(widths.begin(), widths.end() - 1));
    const int text_height = box.line_height * static_cast<int>(box.lines.size());

    box.label_width = widths.back();
    const int button_width = std::max(min_button_width, box.label_width + 4 * button_padding);
    const int button_height = box.line_height + 2 * button_padding;

    const int strip_height = button_height + 2 * (margin / 2 + 2);
    const int frame = 2; // the window's border of one pixel on each side
    const int screen_width = box.screen->width_in_pixels - frame;
    const int screen_height = box.screen->height_in_pixels - frame;
    box.width = std::max(std::min(margin + icon_size + icon_gap + text_width + margin, screen_width),
                         button_width + 2 * margin);
    box.height = std::max(std::min(margin + std::max(text_height, icon_size) + margin + strip_height, screen_height),
                          strip_height);
    box.strip_top = box.height - strip_height;
    box.button = rectangle(box.width - margin - button_width, box.strip_top + margin / 2 + 2, button_width,
                           button_height);
}

void set_foreground(const Box &box, uint32_t pixel)
{
    xcb_change_gc(box.connection, box.gc, XCB_GC_FOREGROUND, &pixel);
}

void fill_rectangle(const Box &box, int x, int y, int width, int height)
{
    const xcb_rectangle_t r = rectangle(x, y, width, height);
    xcb_poly_fill_rectangle(box.connection, box.window, box.gc, 1, &r);
}

// An outline covering width + 1 by height + 1 pixels, as the core protocol draws it.
void draw_rectangle(const Box &box, int x, int y, int width, int height)
{
    const xcb_rectangle_t r = rectangle(x, y, width, height);
    xcb_poly_rectangle(box.connection, box.window, box.gc, 1, &r);
}

void fill_disc(const Box &box, int x, int y, int diameter)
{
    const xcb_arc_t arc{static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<uint16_t>(diameter),
                        static_cast<uint16_t>(diameter), 0, 360 * 64};
    xcb_poly_fill_arc(box.connection, box.window, box.gc, 1, &arc);
}

// The text in the foreground colour only, over what is there: PolyText8 in
// items of at most 254 bytes, each item its length, a zero offset, the bytes.
void draw_string(const Box &box, int x, int baseline, const std::string &text)
{
    std::vector<uint8_t> items;
    for (size_t at = 0; at < text.size(); at += 254) {
        const size_t length = std::min<size_t>(254, text.size() - at);
        items.push_back(static_cast<uint8_t>(length));
        items.push_back(0);
        items.insert(items.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                     text.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    if (!items.empty())
        xcb_poly_text_8(box.connection, box.window, box.gc, static_cast<int16_t>(x), static_cast<int16_t>(baseline),
                        static_cast<uint32_t>(items.size()), items.data());
}

void draw_icon(const Box &box)
{
    // A blue disc with a white "i": the dot and a stem with a foot.
    const int x = margin, y = margin;
    set_foreground(box, box.colours.icon);
    fill_disc(box, x, y, icon_size);
    set_foreground(box, box.colours.icon_mark);
    fill_disc(box, x + 13, y + 6, 6);
    fill_rectangle(box, x + 14, y + 14, 4, 11);
    fill_rectangle(box, x + 12, y + 14, 2, 2);
    fill_rectangle(box, x + 12, y + 24, 8, 2);
}

void draw_button(const Box &box)
{
    const xcb_rectangle_t &b = box.button;
    set_foreground(box, box.pressed ? box.colours.button_pressed : box.colours.button_face);
    fill_rectangle(box, b.x, b.y, b.width, b.height);
    // The only button is the default one: a blue frame, doubled while pressed.
    set_foreground(box, box.colours.button_default);
    draw_rectangle(box, b.x, b.y, b.width - 1, b.height - 1);
    if (box.pressed)
        draw_rectangle(box, b.x + 1, b.y + 1, b.width - 3, b.height - 3);
    if (box.focused) {
        set_foreground(box, box.colours.text);
        // Width and style, in the order of their bits: lines of one pixel,
        // dashed for the focus frame only.
        const uint32_t dashed[] = {1, XCB_LINE_STYLE_ON_OFF_DASH}, solid[] = {1, XCB_LINE_STYLE_SOLID};
        xcb_change_gc(box.connection, box.gc, XCB_GC_LINE_WIDTH | XCB_GC_LINE_STYLE, dashed);
        draw_rectangle(box, b.x + 3, b.y + 3, b.width - 7, b.height - 7);
        xcb_change_gc(box.connection, box.gc, XCB_GC_LINE_WIDTH | XCB_GC_LINE_STYLE, solid);
    }
    set_foreground(box, box.colours.text);
    draw_string(box, b.x + (b.width - box.label_width) / 2, b.y + (b.height - box.line_height) / 2 + box.ascent, "OK");
}

void draw(const Box &box)
{
    set_foreground(box, box.colours.page);
    fill_rectangle(box, 0, 0, box.width, box.strip_top);
    set_foreground(box, box.colours.strip);
    fill_rectangle(box, 0, box.strip_top, box.width, box.height - box.strip_top);

    draw_icon(box);

    set_foreground(box, box.colours.text);
    const int text_x = margin + icon_size + icon_gap;
    int baseline = margin + box.ascent;
    for (const std::string &line : box.lines) {
        if (baseline + box.descent > box.strip_top)
            break; // a small screen has no room for the rest
        draw_string(box, text_x, baseline, line);
        baseline += box.line_height;
    }

    draw_button(box);
    xcb_flush(box.connection);
}

void set_property(const Box &box, xcb_atom_t property, xcb_atom_t type, uint8_t format, size_t count,
                  const void *data)
{
    xcb_change_property(box.connection, XCB_PROP_MODE_REPLACE, box.window, property, type, format,
                        static_cast<uint32_t>(count), data);
}

void set_window_properties(const Box &box, const char *title, int x, int y)
{
    set_property(box, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, std::strlen(title), title);
    const std::string utf8_title = latin1_to_utf8(title);
    set_property(box, box.atoms.net_wm_name, box.atoms.utf8_string, 8, utf8_title.size(), utf8_title.data());

    const char wm_class[] = "schach3d\0Schach3d"; // instance and class, each ending in a zero byte
    set_property(box, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof wm_class, wm_class);

    // flags, input, initial state, icon pixmap, icon window, icon x and y, icon mask, window group
    const uint32_t wm_hints[9] = {hint_input | hint_state, 1, normal_state};
    set_property(box, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, std::size(wm_hints), wm_hints);

    // A fixed size, centred on the screen: flags, x, y, width, height, min
    // width and height, max width and height, then increments, aspects, base
    // size and gravity, all unset.
    uint32_t size_hints[18] = {size_position | size_min | size_max,
                               static_cast<uint32_t>(x),
                               static_cast<uint32_t>(y),
                               0,
                               0,
                               static_cast<uint32_t>(box.width),
                               static_cast<uint32_t>(box.height),
                               static_cast<uint32_t>(box.width),
                               static_cast<uint32_t>(box.height)};
    set_property(box, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, std::size(size_hints), size_hints);

    set_property(box, box.atoms.net_wm_window_type, XCB_ATOM_ATOM, 32, 1, &box.atoms.dialog);

    const uint32_t pid = static_cast<uint32_t>(getpid());
    set_property(box, box.atoms.net_wm_pid, XCB_ATOM_CARDINAL, 32, 1, &pid);

    set_property(box, box.atoms.wm_protocols, XCB_ATOM_ATOM, 32, 1, &box.atoms.wm_delete);
}

bool open_box(Box &box, int screen, const char *text, const char *title)
{
    box.screen = screen_number(box.connection, screen);
    if (box.screen == nullptr || !open_font(box))
        return false;
    box.atoms = intern_atoms(box.connection);
    box.colours = allocate_colours(box);
    box.lines = message_text_lines(text);
    lay_out(box);

    const int x = (box.screen->width_in_pixels - box.width) / 2;
    const int y = (box.screen->height_in_pixels - box.height) / 2;
    box.window = xcb_generate_id(box.connection);
    // In the order of their bits; the border is a frame of its own where no
    // window manager draws one.
    const uint32_t attributes[] = {
        box.colours.page, box.colours.button_border,
        XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_BUTTON_PRESS |
            XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(box.connection, XCB_COPY_FROM_PARENT, box.window, box.screen->root,
                      static_cast<int16_t>(std::max(x, 0)), static_cast<int16_t>(std::max(y, 0)),
                      static_cast<uint16_t>(box.width), static_cast<uint16_t>(box.height), 1,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK, attributes);
    set_window_properties(box, title, x, y);

    box.gc = xcb_generate_id(box.connection);
    xcb_create_gc(box.connection, box.gc, box.window, XCB_GC_FONT, &box.font);

    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(box.connection, box.window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_map_window(box.connection, box.window);
    return xcb_flush(box.connection) > 0;
}

// The key's first keysym, as the server's keyboard mapping has it now.
xcb_keysym_t first_keysym(xcb_connection_t *connection, xcb_keycode_t key)
{
    Reply<xcb_get_keyboard_mapping_reply_t> mapping{
        xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, key, 1), nullptr)};
    if (!mapping || xcb_get_keyboard_mapping_keysyms_length(mapping.get()) == 0)
        return 0;
    return xcb_get_keyboard_mapping_keysyms(mapping.get())[0];
}

// Runs the box until it is closed, another client destroys it or its
// connection is lost.
void run_box(Box &box)
{
    for (;;) {
        Reply<xcb_generic_event_t> event{xcb_wait_for_event(box.connection)};
        if (!event)
            return; // the connection is lost
        switch (event->response_type & ~synthetic) {
        case XCB_EXPOSE:
            if (reinterpret_cast<const xcb_expose_event_t *>(event.get())->count == 0)
                draw(box);
            break;
        case XCB_FOCUS_IN:
        case XCB_FOCUS_OUT:
            box.focused = (event->response_type & ~synthetic) == XCB_FOCUS_IN;
            draw(box);
            break;
        case XCB_KEY_PRESS: {
            const xcb_keysym_t key =
                first_keysym(box.connection, reinterpret_cast<const xcb_key_press_event_t *>(event.get())->detail);
            if (key == key_return || key == key_kp_enter || key == key_escape)
                return;
            break;
        }
        case XCB_BUTTON_PRESS: {
            const auto *press = reinterpret_cast<const xcb_button_press_event_t *>(event.get());
            if (press->detail == XCB_BUTTON_INDEX_1 && inside_button(box, press->event_x, press->event_y)) {
                box.pressed = true;
                draw(box);
            }
            break;
        }
        case XCB_BUTTON_RELEASE: {
            const auto *release = reinterpret_cast<const xcb_button_release_event_t *>(event.get());
            if (release->detail == XCB_BUTTON_INDEX_1 && box.pressed) {
                box.pressed = false;
                if (inside_button(box, release->event_x, release->event_y))
                    return;
                draw(box);
            }
            break;
        }
        case XCB_CLIENT_MESSAGE: {
            const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event.get());
            if (message->format == 32 && message->type == box.atoms.wm_protocols &&
                message->data.data32[0] == box.atoms.wm_delete)
                return;
            break;
        }
        case XCB_DESTROY_NOTIFY: // by another client
            if (reinterpret_cast<const xcb_destroy_notify_event_t *>(event.get())->window == box.window) {
                box.window = 0;
                return;
            }
            break;
        default: // among them the errors of requests on a window that is gone
            break;
        }
    }
}

// Frees the box's server resources; on a lost connection these requests go
// nowhere, and the disconnect frees the rest.
void close_box(Box &box)
{
    if (box.gc != 0)
        xcb_free_gc(box.connection, box.gc);
    if (box.window != 0)
        xcb_destroy_window(box.connection, box.window);
    if (box.font != 0)
        xcb_close_font(box.connection, box.font);
    xcb_flush(box.connection);
    xcb_disconnect(box.connection);
}

} // namespace

bool show_message_box(const char *display_name, const char *text, const char *title)
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
    box.connection = connect(display_name, &screen);
    if (xcb_connection_has_error(box.connection)) {
        xcb_disconnect(box.connection);
        return false;
    }
    const bool opened = open_box(box, screen, text, title);
    if (opened)
        run_box(box);
    close_box(box);
    return opened;
}
