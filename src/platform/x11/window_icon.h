#pragma once

#include <cstddef>
#include <cstdint>

// The program's icon in the layout of _NET_WM_ICON: for each size its width,
// its height and its pixels row by row as 0xAARRGGBB. Made at build time from
// packaging/icons/ (cmake/window-icon.cmake).
extern const std::uint32_t window_icon[];
extern const std::size_t window_icon_cardinals;
