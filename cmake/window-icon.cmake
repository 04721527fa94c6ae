# The scene window's icon on the X11 desktop (_NET_WM_ICON), made at build
# time from the PNGs in packaging/icons/, so the window always shows the icon
# of the menu entry. Included by CMakeLists.txt, it adds the generated source
# to the library; run as a script, it writes that source: ImageMagick decodes
# each PNG and the pixels become the cardinals the property takes.
#
# 48 and 128 pixels: what taskbars and window switchers draw from a window's
# property, up to twice their usual size. The 256 one would add 256 KiB to
# the program and to what it sends the X server at every start.
set(window_icon_sizes 48 128)

if(NOT CMAKE_SCRIPT_MODE_FILE)
  find_program(SCHACH3D_IMAGEMAGICK NAMES magick convert REQUIRED)
  set(window_icon_pngs)
  foreach(size ${window_icon_sizes})
    list(APPEND window_icon_pngs ${CMAKE_CURRENT_SOURCE_DIR}/packaging/icons/${size}x${size}/schach3d.png)
  endforeach()
  set(window_icon_cpp ${CMAKE_CURRENT_BINARY_DIR}/window_icon.cpp)
  add_custom_command(OUTPUT ${window_icon_cpp}
    COMMAND ${CMAKE_COMMAND} -DIMAGEMAGICK=${SCHACH3D_IMAGEMAGICK}
      -DICONS=${CMAKE_CURRENT_SOURCE_DIR}/packaging/icons -DOUT=${window_icon_cpp}
      -P ${CMAKE_CURRENT_LIST_FILE}
    DEPENDS ${CMAKE_CURRENT_LIST_FILE} ${window_icon_pngs}
    COMMENT "Making the window icon from packaging/icons/" VERBATIM)
  target_sources(schach3d_lib PRIVATE ${window_icon_cpp})
  return()
endif()

# Per size: width, height, then the pixels row by row as 0xAARRGGBB, not
# premultiplied.
set(cardinals "")
foreach(size ${window_icon_sizes})
  set(rgba ${OUT}.${size}.rgba)
  execute_process(COMMAND ${IMAGEMAGICK} ${ICONS}/${size}x${size}/schach3d.png -depth 8 RGBA:${rgba}
    COMMAND_ERROR_IS_FATAL ANY)
  file(READ ${rgba} hex HEX)
  file(REMOVE ${rgba})
  string(LENGTH "${hex}" digits)
  math(EXPR expected "${size} * ${size} * 8")
  if(NOT digits EQUAL expected)
    message(FATAL_ERROR "${size}x${size}/schach3d.png: ${digits} hex digits of RGBA, expected ${expected}")
  endif()
  string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\1\\2\\3," pixels "${hex}")
  string(REPEAT "0x........," 8 eight) # a line of source each; CMake's regex has no {8}
  string(REGEX REPLACE "(${eight})" "\\1\n  " pixels "${pixels}")
  string(REGEX REPLACE "\n  $" "" pixels "${pixels}")
  string(APPEND cardinals "  ${size}, ${size},\n  ${pixels}\n")
endforeach()
file(WRITE ${OUT}.new "// Made at build time by cmake/window-icon.cmake from packaging/icons/.
#include \"window_icon.h\"

const std::uint32_t window_icon[] = {
${cardinals}};
const std::size_t window_icon_cardinals = sizeof window_icon / sizeof window_icon[0];
")
file(RENAME ${OUT}.new ${OUT})
