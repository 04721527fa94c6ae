// The help box's connection to the X server, on a thread of its own: the
// display, its cookie, the screen and the visual that cairo draws for.
#include <X11/Xauth.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/x11/box_parts.h"

namespace help_box {

namespace {

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

} // namespace

// One on this machine's socket gets its cookie from local_cookie; for one
// over the network, libxcb looks the cookie up itself.
xcb_connection_t *connect_to(const char *display_name, int *screen)
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

} // namespace help_box
