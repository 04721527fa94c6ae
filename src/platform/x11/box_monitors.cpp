// Where the help box may go: the monitors as RandR has them and the place
// of the scene window that owns the box (box_layout.cpp does the arithmetic).
#include <xcb/randr.h>

#include "platform/x11/box_parts.h"

namespace help_box {

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

} // namespace help_box
