// A modal information box on an X connection of its own, so that it can run
// on a thread that never touches the toolkit's connection or the GL context.
// Its text is laid out by pango and drawn by cairo on that connection,
// antialiased at the screen's resolution, and the whole box is scaled to it.
//
// Whatever happens to the box, only the box ends. XCB reports a failed request
// as an event, which the box ignores (another client may have destroyed its
// window), and a lost connection as no further event: every request on it is
// then dropped and every reply is null, so the box just stops.
#include "platform/x11/message_box.h"

#include <X11/Xauth.h>
#include <cairo-xcb.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/x11/box_layout.h"
#include "platform/x11/text_lines.h"
#include "platform/x11/windows1252.h"

namespace {

// The box's font, in points at the screen's resolution.
const char *const font = "Sans 10";

// The keys that close the box, and the core protocol's constants that XCB
// leaves to the client.
constexpr xcb_keysym_t key_return = 0xFF0D, key_kp_enter = 0xFF8D, key_escape = 0xFF1B, key_space = 0x20;
constexpr uint32_t hint_input = 1 << 0, hint_state = 1 << 1, normal_state = 1;   // WM_HINTS
constexpr uint32_t size_position = 1 << 2, size_min = 1 << 4, size_max = 1 << 5; // WM_NORMAL_HINTS
constexpr uint8_t synthetic = 0x80; // set in events that another client sent
constexpr uint32_t from_application = 1; // the source of a _NET_ACTIVE_WINDOW request

// Frees what XCB hands out with malloc.
struct Free {
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

struct Colour {
    uint8_t r, g, b;
};
constexpr Colour text_colour{0x00, 0x00, 0x00}, page{0xFF, 0xFF, 0xFF}, strip{0xF0, 0xF0, 0xF0},
    icon_colour{0x1E, 0x64, 0xC8}, icon_mark{0xFF, 0xFF, 0xFF}, button_face{0xE1, 0xE1, 0xE1},
    border{0xAD, 0xAD, 0xAD}, button_default{0x00, 0x78, 0xD7}, button_pressed{0xCC, 0xE4, 0xF7};

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

// The screen's own visual, which cairo draws for.
xcb_visualtype_t *root_visual(const xcb_screen_t *screen)
{
    for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(screen); d.rem > 0; xcb_depth_next(&d))
        for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen->root_visual)
                return v.data;
    return nullptr;
}

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

// The bytes of a window's property, as far as the first maximum_bytes go.
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

// The monitors as RandR has them; none where the server has no RandR 1.5.
std::vector<BoxRect> monitors(xcb_connection_t *connection, xcb_window_t root)
{
    const xcb_query_extension_reply_t *randr = xcb_get_extension_data(connection, &xcb_randr_id);
    if (randr == nullptr || !randr->present)
        return {};
    Reply<xcb_randr_query_version_reply_t> version{
        xcb_randr_query_version_reply(connection, xcb_randr_query_version(connection, 1, 5), nullptr)};
    if (!version || (version->major_version == 1 && version->minor_version < 5))
        return {};
    Reply<xcb_randr_get_monitors_reply_t> reply{
        xcb_randr_get_monitors_reply(connection, xcb_randr_get_monitors(connection, root, 1), nullptr)};
    std::vector<BoxRect> found;
    if (reply)
        for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem > 0;
             xcb_randr_monitor_info_next(&it))
            found.push_back({it.data->x, it.data->y, it.data->width, it.data->height});
    return found;
}

// Where the owner window is on the screen now; the whole screen when there
// is no owner, or it is gone.
BoxRect owner_area(const Box &box)
{
    const BoxRect screen{0, 0, box.screen->width_in_pixels, box.screen->height_in_pixels};
    if (box.owner == 0)
        return screen;
    xcb_connection_t *c = box.connection;
    const xcb_get_geometry_cookie_t size = xcb_get_geometry(c, box.owner);
    const xcb_translate_coordinates_cookie_t place = xcb_translate_coordinates(c, box.owner, box.screen->root, 0, 0);
    Reply<xcb_get_geometry_reply_t> geometry{xcb_get_geometry_reply(c, size, nullptr)};
    Reply<xcb_translate_coordinates_reply_t> origin{xcb_translate_coordinates_reply(c, place, nullptr)};
    if (!geometry || !origin)
        return screen;
    return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

PangoLayout *new_layout(const Box &box, const std::string &windows1252)
{
    PangoLayout *layout = pango_layout_new(box.fonts);
    PangoFontDescription *description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    const std::string utf8 = windows1252_to_utf8(windows1252);
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    return layout;
}

// The text and the button's label laid out in the box's font at the screen's
// resolution, antialiased in grey (no colour fringes on any screen).
void lay_out_text(Box &box, const char *text, double dpi)
{
    // Pango's first font map loads fontconfig's configuration on a thread of
    // its own, which meets this one only through synchronisation inside the
    // libraries; loaded here first, it is this thread's, and that thread
    // finds it done.
    FcInit();
    box.fonts = pango_font_map_create_context(pango_cairo_font_map_get_default());
    pango_cairo_context_set_resolution(box.fonts, dpi);
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    pango_cairo_context_set_font_options(box.fonts, options);
    cairo_font_options_destroy(options);

    std::string lines;
    for (const std::string &line : message_text_lines(text))
        lines += line + "\n";
    lines.pop_back(); // a last line feed would open a line of its own
    box.text = new_layout(box, lines);
    box.label = new_layout(box, "OK");
    pango_layout_get_pixel_size(box.label, &box.label_width, &box.label_height);
}

bool inside_button(const Box &box, int x, int y)
{
    const BoxRect &b = box.layout.button;
    return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
}

void set_colour(cairo_t *cr, Colour c)
{
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void fill_rectangle(cairo_t *cr, Colour c, int x, int y, int width, int height)
{
    set_colour(cr, c);
    cairo_rectangle(cr, x, y, width, height);
    cairo_fill(cr);
}

// A frame of whole pixels just inside the rectangle, so that its colour is exact.
void fill_frame(cairo_t *cr, Colour c, const BoxRect &r, int thickness)
{
    set_colour(cr, c);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, r.x, r.y, r.width, r.height);
    cairo_rectangle(cr, r.x + thickness, r.y + thickness, r.width - 2 * thickness, r.height - 2 * thickness);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void draw_icon(cairo_t *cr, const BoxRect &icon)
{
    // A blue disc with a white "i", drawn on a grid of 32 by 32: the dot and
    // a stem with a foot.
    cairo_save(cr);
    cairo_translate(cr, icon.x, icon.y);
    cairo_scale(cr, icon.width / 32.0, icon.height / 32.0);
    set_colour(cr, icon_colour);
    cairo_arc(cr, 16, 16, 16, 0, 2 * G_PI);
    cairo_fill(cr);
    set_colour(cr, icon_mark);
    cairo_arc(cr, 16, 9, 3, 0, 2 * G_PI);
    cairo_fill(cr);
    cairo_rectangle(cr, 14, 14, 4, 11);
    cairo_rectangle(cr, 12, 14, 2, 2);
    cairo_rectangle(cr, 12, 24, 8, 2);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The lines of the text that fit above the button strip (a small screen has
// no room for the rest; the console has the whole text).
void draw_text(cairo_t *cr, const Box &box)
{
    set_colour(cr, text_colour);
    const BoxRect &area = box.layout.text;
    PangoLayoutIter *line = pango_layout_get_iter(box.text);
    do {
        PangoRectangle extent;
        pango_layout_iter_get_line_extents(line, nullptr, &extent);
        if (area.y + PANGO_PIXELS(extent.y + extent.height) > box.layout.strip_top)
            break;
        cairo_move_to(cr, area.x + pango_units_to_double(extent.x),
                      area.y + pango_units_to_double(pango_layout_iter_get_baseline(line)));
        pango_cairo_show_layout_line(cr, pango_layout_iter_get_line_readonly(line));
    } while (pango_layout_iter_next_line(line));
    pango_layout_iter_free(line);
}

void draw_button(cairo_t *cr, const Box &box)
{
    const BoxRect &b = box.layout.button;
    const int frame = box.layout.frame_width;
    fill_rectangle(cr, box.pressed ? button_pressed : button_face, b.x, b.y, b.width, b.height);
    // The only button is the default one: a blue frame, doubled while pressed.
    fill_frame(cr, button_default, b, box.pressed ? 2 * frame : frame);
    if (box.focused) {
        const double dash = frame, inset = 3 * frame + frame / 2.0;
        set_colour(cr, text_colour);
        cairo_set_line_width(cr, frame);
        cairo_set_dash(cr, &dash, 1, 0);
        cairo_rectangle(cr, b.x + inset, b.y + inset, b.width - 2 * inset, b.height - 2 * inset);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    set_colour(cr, text_colour);
    cairo_move_to(cr, b.x + (b.width - box.label_width) / 2, b.y + (b.height - box.label_height) / 2);
    pango_cairo_show_layout(cr, box.label);
}

void draw(const Box &box)
{
    cairo_t *cr = cairo_create(box.surface);
    cairo_push_group(cr); // the box is shown whole, not built up piece by piece
    const BoxLayout &l = box.layout;
    fill_rectangle(cr, page, 0, 0, l.width, l.strip_top);
    fill_rectangle(cr, strip, 0, l.strip_top, l.width, l.height - l.strip_top);
    draw_icon(cr, l.icon);
    draw_text(cr, box);
    draw_button(cr, box);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(box.surface);
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

// The pixel of the window's border, which is a frame of its own where no
// window manager draws one.
uint32_t border_pixel(const Box &box)
{
    Reply<xcb_alloc_color_reply_t> reply{xcb_alloc_color_reply(
        box.connection,
        xcb_alloc_color(box.connection, box.screen->default_colormap, border.r * 257, border.g * 257, border.b * 257),
        nullptr)};
    return reply ? reply->pixel : box.screen->black_pixel;
}

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
    box.layout = lay_out_box(dpi / 96, text_width, text_height, box.label_width, box.label_height,
                             monitor.width - frame, monitor.height - frame);
    const BoxRect at = place_box(owner, monitor, box.layout.width + frame, box.layout.height + frame);

    box.window = xcb_generate_id(box.connection);
    // In the order of their bits.
    const uint32_t attributes[] = {
        box.screen->white_pixel, border_pixel(box),
        XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_BUTTON_PRESS |
            XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
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

// The key's first keysym, as the server's keyboard mapping has it now.
xcb_keysym_t first_keysym(xcb_connection_t *connection, xcb_keycode_t key)
{
    Reply<xcb_get_keyboard_mapping_reply_t> mapping{
        xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, key, 1), nullptr)};
    if (!mapping || xcb_get_keyboard_mapping_keysyms_length(mapping.get()) == 0)
        return 0;
    return xcb_get_keyboard_mapping_keysyms(mapping.get())[0];
}

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
    case XCB_KEY_PRESS: {
        const xcb_keysym_t key =
            first_keysym(box.connection, reinterpret_cast<const xcb_key_press_event_t *>(event)->detail);
        const bool closes = key == key_return || key == key_kp_enter || key == key_space || key == key_escape;
        return closes ? Outcome::closed : Outcome::open;
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
    box.connection = connect(place.display_name, &screen);
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
