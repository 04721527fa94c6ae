# The browser program: schach3d.js and schach3d.wasm with the page around
# them, and what makes the site an app (manifest, icons, service worker), in
# the folder site/ of the build, which any static file server serves as it is
# (no headers of its own needed: the program uses no threads that would want
# shared memory).
set(SCHACH3D_SITE ${CMAKE_BINARY_DIR}/site)
set(web_dir ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/web)
# The page's JavaScript half, one file per concern (page.js says which).
file(GLOB page_libraries CONFIGURE_DEPENDS ${web_dir}/page*.js)
list(TRANSFORM page_libraries PREPEND "SHELL:--js-library " OUTPUT_VARIABLE page_library_options)

set_target_properties(schach3d PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SCHACH3D_SITE})
target_link_options(schach3d PRIVATE
  "SHELL:-s ENVIRONMENT=web"
  "SHELL:-s MIN_WEBGL_VERSION=2" "SHELL:-s MAX_WEBGL_VERSION=2"
  "SHELL:-s FILESYSTEM=0" # the program reads no files; stdout and stderr go to the page (page_console.js)
  "SHELL:-s ALLOW_MEMORY_GROWTH=1"
  # The help box's thread waits on a stack of its own (platform/web/thread.cpp):
  # only the functions on that stack are made able to unwind and rewind. They
  # are those that call the waits directly, and the two that get there through
  # a function pointer: the thread's start and its procedure.
  "SHELL:-s ASYNCIFY=1"
  "SHELL:-s ASYNCIFY_IMPORTS=[web_thread_sleep,web_box_show]"
  "SHELL:-s ASYNCIFY_IGNORE_INDIRECT=1"
  "SHELL:-s ASYNCIFY_ADD=[web_thread_run,HelpThreadProc*]"
  ${page_library_options})
set_property(TARGET schach3d APPEND PROPERTY LINK_DEPENDS ${page_libraries})

configure_file(${web_dir}/index.html ${SCHACH3D_SITE}/index.html COPYONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/packaging/icons/48x48/schach3d.png ${SCHACH3D_SITE}/favicon.png COPYONLY)

# The site as an app for a phone's home screen: manifest.webmanifest, and the
# icons that it and index.html name, made at build time from the 256 pixel
# icon: icon-192.png and icon-512.png as the icon is, transparent around the
# queen; icon-maskable-512.png and apple-touch-icon.png (180 pixels, the
# iPhone's, which would fill transparency with black) on the page's background
# (its colour in index.html), the queen within the circle of 80 % of the side
# that any mask leaves: the diagonal of its box 95 % of that circle's.
configure_file(${web_dir}/manifest.webmanifest ${SCHACH3D_SITE}/manifest.webmanifest COPYONLY)
find_program(SCHACH3D_IMAGEMAGICK NAMES convert REQUIRED)
set(icon ${CMAKE_CURRENT_SOURCE_DIR}/packaging/icons/256x256/schach3d.png)
set(SITE_FILES ${SCHACH3D_SITE}/index.html ${SCHACH3D_SITE}/favicon.png ${SCHACH3D_SITE}/manifest.webmanifest)
foreach(size 192 512)
  add_custom_command(OUTPUT ${SCHACH3D_SITE}/icon-${size}.png
    COMMAND ${SCHACH3D_IMAGEMAGICK} ${icon} -filter Lanczos -resize ${size}x${size} -strip
      ${SCHACH3D_SITE}/icon-${size}.png
    DEPENDS ${icon} VERBATIM)
  list(APPEND SITE_FILES ${SCHACH3D_SITE}/icon-${size}.png)
endforeach()
foreach(name_size icon-maskable-512.png:512 apple-touch-icon.png:180)
  string(REPLACE ":" ";" name_size ${name_size})
  list(GET name_size 0 name)
  list(GET name_size 1 size)
  math(EXPR centre "${size} / 2")
  add_custom_command(OUTPUT ${SCHACH3D_SITE}/${name}
    COMMAND ${SCHACH3D_IMAGEMAGICK} ${icon} -trim +repage -background none -virtual-pixel background
      -set option:distort:viewport ${size}x${size}
      -distort SRT "%[fx:w/2],%[fx:h/2] %[fx:0.95*0.8*${size}/hypot(w,h)] 0 ${centre},${centre}"
      -background "#e8e8e8" -alpha remove -strip ${SCHACH3D_SITE}/${name}
    DEPENDS ${icon} VERBATIM)
  list(APPEND SITE_FILES ${SCHACH3D_SITE}/${name})
endforeach()
# Last, the service worker that keeps all of these for use with no network.
include(${web_dir}/service-worker.cmake)
