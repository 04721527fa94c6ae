// The help box's text laid out by pango and the box drawn by cairo on its
// own connection, antialiased at the screen's resolution: the page, the
// information icon, the lines that fit and the OK button.
#include <cairo-xcb.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include "platform/x11/box_parts.h"
#include "platform/x11/text_lines.h"
#include "platform/x11/windows1252.h"

namespace help_box {

namespace {

// The box's font, in points at the screen's resolution.
const char *const font = "Sans 10";

struct Colour {
    uint8_t r, g, b;
};
constexpr Colour text_colour{0x00, 0x00, 0x00}, page{0xFF, 0xFF, 0xFF}, strip{0xF0, 0xF0, 0xF0},
    icon_colour{0x1E, 0x64, 0xC8}, icon_mark{0xFF, 0xFF, 0xFF}, button_face{0xE1, 0xE1, 0xE1},
    border{0xAD, 0xAD, 0xAD}, button_default{0x00, 0x78, 0xD7}, button_pressed{0xCC, 0xE4, 0xF7};

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

} // namespace

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

} // namespace help_box
