// A modal information box drawn with plain Xlib on a display connection of its
// own, so that it can run on a thread that never touches the toolkit's
// connection or the GL context. The text is single-byte Latin-1/Windows-1252
// and goes to the server unchanged: a Latin-1 core font shows its umlauts.
#include "platform/x11/message_box.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <csetjmp>
#include <mutex>
#include <string>
#include <vector>

#include "platform/x11/text_lines.h"

// Last, and without its min and max macros, which would break the standard headers.
#include <X11/Xlibint.h>
#undef min
#undef max

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

struct Colours {
    unsigned long text, page, strip, icon, icon_mark;
    unsigned long button_face, button_border, button_default, button_pressed;
};

unsigned long colour(Display *display, int screen, unsigned short r, unsigned short g, unsigned short b,
                     unsigned long fallback)
{
    XColor c{};
    c.red = static_cast<unsigned short>(r * 257);
    c.green = static_cast<unsigned short>(g * 257);
    c.blue = static_cast<unsigned short>(b * 257);
    c.flags = DoRed | DoGreen | DoBlue;
    if (XAllocColor(display, DefaultColormap(display, screen), &c) == 0)
        return fallback;
    return c.pixel;
}

Colours allocate_colours(Display *display, int screen)
{
    const unsigned long black = BlackPixel(display, screen);
    const unsigned long white = WhitePixel(display, screen);
    return {
        black,
        white,
        colour(display, screen, 0xF0, 0xF0, 0xF0, white),
        colour(display, screen, 0x1E, 0x64, 0xC8, black),
        white,
        colour(display, screen, 0xE1, 0xE1, 0xE1, white),
        colour(display, screen, 0xAD, 0xAD, 0xAD, black),
        colour(display, screen, 0x00, 0x78, 0xD7, black),
        colour(display, screen, 0xCC, 0xE4, 0xF7, white),
    };
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

struct Box {
    Display *display = nullptr;
    int screen = 0;
    Window window = 0;
    GC gc = nullptr;
    XFontStruct *font = nullptr;
    Colours colours{};
    std::vector<std::string> lines;
    int line_height = 0;
    int width = 0, height = 0;
    int strip_top = 0;
    XRectangle button{};
    bool pressed = false;  // the pointer went down on the button and is still held
    bool focused = false;
    Atom wm_delete = None;
    std::string utf8_title;
    std::jmp_buf connection_lost;
};

// Whatever happens to the box, only the box ends: another client may destroy
// its window, after which every request on it fails, and its connection may be
// killed from outside. Xlib's handlers for both are process-wide and end the
// process, so they are replaced once; each connection but the box's (the
// toolkit's) still goes to the handler it had.
thread_local Box *box_on_this_thread = nullptr; // while it talks to its server
XErrorHandler previous_error_handler = nullptr;
XIOErrorHandler previous_io_error_handler = nullptr;

bool is_box_connection(Display *display)
{
    return box_on_this_thread != nullptr && display == box_on_this_thread->display;
}

int on_error(Display *display, XErrorEvent *error)
{
    return is_box_connection(display) ? 0 : previous_error_handler(display, error);
}

// A lost connection is for good, and Xlib cannot go on with the call that
// found it: back to the box's step that made the call (on_the_box_connection).
int on_connection_lost(Display *display)
{
    if (is_box_connection(display))
        std::longjmp(box_on_this_thread->connection_lost, 1);
    return previous_io_error_handler(display);
}

// Runs one step of the box on its connection; false if the connection was lost
// meanwhile and the step ended where it was. Steps keep what they own in the
// Box, never in locals that the jump back would skip.
template <typename Step> bool on_the_box_connection(Box &box, Step step)
{
    if (setjmp(box.connection_lost) != 0) {
        box_on_this_thread = nullptr;
        // Xlib keeps what it could not send and may have no room left: drop
        // it, so that the clean-up's requests fit (they go nowhere).
        box.display->bufptr = box.display->buffer;
        return false;
    }
    box_on_this_thread = &box;
    step();
    box_on_this_thread = nullptr;
    return true;
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
    box.line_height = box.font->ascent + box.font->descent;
    int text_width = min_text_width;
    for (const std::string &line : box.lines)
        text_width = std::max(text_width, XTextWidth(box.font, line.data(), static_cast<int>(line.size())));
    const int text_height = box.line_height * static_cast<int>(box.lines.size());

    const int label_width = XTextWidth(box.font, "OK", 2);
    const int button_width = std::max(min_button_width, label_width + 4 * button_padding);
    const int button_height = box.line_height + 2 * button_padding;

    const int strip_height = button_height + 2 * (margin / 2 + 2);
    const int frame = 2; // the window's border of one pixel on each side
    const int screen_width = DisplayWidth(box.display, box.screen) - frame;
    const int screen_height = DisplayHeight(box.display, box.screen) - frame;
    box.width = std::max(std::min(margin + icon_size + icon_gap + text_width + margin, screen_width),
                         button_width + 2 * margin);
    box.height = std::max(std::min(margin + std::max(text_height, icon_size) + margin + strip_height, screen_height),
                          strip_height);
    box.strip_top = box.height - strip_height;
    box.button = {static_cast<short>(box.width - margin - button_width),
                  static_cast<short>(box.strip_top + margin / 2 + 2), static_cast<unsigned short>(button_width),
                  static_cast<unsigned short>(button_height)};
}

void draw_icon(const Box &box)
{
    // A blue disc with a white "i": the dot and a stem with a foot.
    const int x = margin, y = margin;
    XSetForeground(box.display, box.gc, box.colours.icon);
    XFillArc(box.display, box.window, box.gc, x, y, icon_size, icon_size, 0, 360 * 64);
    XSetForeground(box.display, box.gc, box.colours.icon_mark);
    XFillArc(box.display, box.window, box.gc, x + 13, y + 6, 6, 6, 0, 360 * 64);
    XFillRectangle(box.display, box.window, box.gc, x + 14, y + 14, 4, 11);
    XFillRectangle(box.display, box.window, box.gc, x + 12, y + 14, 2, 2);
    XFillRectangle(box.display, box.window, box.gc, x + 12, y + 24, 8, 2);
}

void draw_button(const Box &box)
{
    const XRectangle &b = box.button;
    XSetForeground(box.display, box.gc, box.pressed ? box.colours.button_pressed : box.colours.button_face);
    XFillRectangle(box.display, box.window, box.gc, b.x, b.y, b.width, b.height);
    // The only button is the default one: a blue frame, doubled while pressed.
    XSetForeground(box.display, box.gc, box.colours.button_default);
    XDrawRectangle(box.display, box.window, box.gc, b.x, b.y, b.width - 1, b.height - 1);
    if (box.pressed)
        XDrawRectangle(box.display, box.window, box.gc, b.x + 1, b.y + 1, b.width - 3, b.height - 3);
    if (box.focused) {
        XSetForeground(box.display, box.gc, box.colours.text);
        XSetLineAttributes(box.display, box.gc, 1, LineOnOffDash, CapButt, JoinMiter);
        XDrawRectangle(box.display, box.window, box.gc, b.x + 3, b.y + 3, b.width - 7, b.height - 7);
        XSetLineAttributes(box.display, box.gc, 1, LineSolid, CapButt, JoinMiter);
    }
    const int label_width = XTextWidth(box.font, "OK", 2);
    XSetForeground(box.display, box.gc, box.colours.text);
    XDrawString(box.display, box.window, box.gc, b.x + (b.width - label_width) / 2,
                b.y + (b.height - box.line_height) / 2 + box.font->ascent, "OK", 2);
}

void draw(const Box &box)
{
    XSetForeground(box.display, box.gc, box.colours.page);
    XFillRectangle(box.display, box.window, box.gc, 0, 0, box.width, box.strip_top);
    XSetForeground(box.display, box.gc, box.colours.strip);
    XFillRectangle(box.display, box.window, box.gc, 0, box.strip_top, box.width, box.height - box.strip_top);

    draw_icon(box);

    XSetForeground(box.display, box.gc, box.colours.text);
    const int text_x = margin + icon_size + icon_gap;
    int baseline = margin + box.font->ascent;
    for (const std::string &line : box.lines) {
        if (baseline + box.font->descent > box.strip_top)
            break; // a small screen has no room for the rest
        XDrawString(box.display, box.window, box.gc, text_x, baseline, line.data(), static_cast<int>(line.size()));
        baseline += box.line_height;
    }

    draw_button(box);
    XFlush(box.display);
}

void set_window_properties(Box &box, const char *title)
{
    Display *d = box.display;

    XStoreName(d, box.window, title);
    box.utf8_title = latin1_to_utf8(title);
    XChangeProperty(d, box.window, XInternAtom(d, "_NET_WM_NAME", False), XInternAtom(d, "UTF8_STRING", False), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char *>(box.utf8_title.data()),
                    static_cast<int>(box.utf8_title.size()));

    XClassHint class_hint{const_cast<char *>("schach3d"), const_cast<char *>("Schach3d")};
    XSetClassHint(d, box.window, &class_hint);

    XWMHints wm_hints{};
    wm_hints.flags = InputHint | StateHint;
    wm_hints.input = True;
    wm_hints.initial_state = NormalState;
    XSetWMHints(d, box.window, &wm_hints);

    // A fixed size, centred on the screen.
    XSizeHints size_hints{};
    size_hints.flags = PPosition | PMinSize | PMaxSize;
    size_hints.x = (DisplayWidth(d, box.screen) - box.width) / 2;
    size_hints.y = (DisplayHeight(d, box.screen) - box.height) / 2;
    size_hints.min_width = size_hints.max_width = box.width;
    size_hints.min_height = size_hints.max_height = box.height;
    XSetWMNormalHints(d, box.window, &size_hints);

    const Atom dialog = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(d, box.window, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&dialog), 1);

    const long pid = static_cast<long>(getpid());
    XChangeProperty(d, box.window, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&pid), 1);

    box.wm_delete = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, box.window, &box.wm_delete, 1);
}

bool open_box(Box &box, const char *text, const char *title)
{
    for (const char *name : font_names) {
        box.font = XLoadQueryFont(box.display, name);
        if (box.font != nullptr)
            break;
    }
    if (box.font == nullptr)
        return false;

    box.screen = DefaultScreen(box.display);
    box.colours = allocate_colours(box.display, box.screen);
    box.lines = message_text_lines(text);
    lay_out(box);

    const int x = (DisplayWidth(box.display, box.screen) - box.width) / 2;
    const int y = (DisplayHeight(box.display, box.screen) - box.height) / 2;
    XSetWindowAttributes attributes{};
    attributes.background_pixel = box.colours.page;
    attributes.border_pixel = box.colours.button_border; // a frame of its own where no window manager draws one
    attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                            FocusChangeMask | StructureNotifyMask;
    box.window = XCreateWindow(box.display, RootWindow(box.display, box.screen), std::max(x, 0), std::max(y, 0),
                               static_cast<unsigned>(box.width), static_cast<unsigned>(box.height), 1,
                               CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWBorderPixel | CWEventMask,
                               &attributes);
    set_window_properties(box, title);

    box.gc = XCreateGC(box.display, box.window, 0, nullptr);
    XSetFont(box.display, box.gc, box.font->fid);

    XMapRaised(box.display, box.window);
    XFlush(box.display);
    return true;
}

// Runs the box until it is closed or another client destroys it.
void run_box(Box &box)
{
    for (;;) {
        XEvent event;
        XNextEvent(box.display, &event);
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0)
                draw(box);
            break;
        case FocusIn:
        case FocusOut:
            box.focused = event.type == FocusIn;
            draw(box);
            break;
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape)
                return;
            break;
        }
        case ButtonPress:
            if (event.xbutton.button == Button1 && inside_button(box, event.xbutton.x, event.xbutton.y)) {
                box.pressed = true;
                draw(box);
            }
            break;
        case ButtonRelease:
            if (event.xbutton.button == Button1 && box.pressed) {
                box.pressed = false;
                if (inside_button(box, event.xbutton.x, event.xbutton.y))
                    return;
                draw(box);
            }
            break;
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == box.wm_delete)
                return;
            break;
        case DestroyNotify: // by another client
            if (event.xdestroywindow.window == box.window) {
                box.window = 0;
                return;
            }
            break;
        default:
            break;
        }
    }
}

void close_box(Box &box)
{
    if (box.gc != nullptr)
        XFreeGC(box.display, box.gc);
    if (box.window != 0)
        XDestroyWindow(box.display, box.window);
    if (box.font != nullptr)
        XFreeFont(box.display, box.font);
    XCloseDisplay(box.display);
}

} // namespace

void keep_message_box_errors_to_the_box()
{
    static std::once_flag once;
    std::call_once(once, [] {
        previous_error_handler = XSetErrorHandler(on_error);
        previous_io_error_handler = XSetIOErrorHandler(on_connection_lost);
    });
}

bool show_message_box(const char *display_name, const char *text, const char *title)
{
    keep_message_box_errors_to_the_box();
    // Xlib writes without guarding against SIGPIPE, which would end the process
    // when the connection is killed just then: the write fails instead, and
    // the loss is found as any other.
    sigset_t broken_pipe;
    sigemptyset(&broken_pipe);
    sigaddset(&broken_pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &broken_pipe, nullptr);

    Box box;
    box.display = XOpenDisplay(display_name);
    if (box.display == nullptr)
        return false;
    bool opened = false;
    on_the_box_connection(box, [&] {
        opened = open_box(box, text, title);
        if (opened)
            run_box(box);
    });
    if (!on_the_box_connection(box, [&] { close_box(box); }))
        XCloseDisplay(box.display); // the clean-up ended early; this frees the rest
    return opened;
}
