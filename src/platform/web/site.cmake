# The browser program: schach3d.js and schach3d.wasm with the page around
# them, in the folder site/ of the build, which any static file server serves
# as it is (no headers of its own needed: the program uses no threads that
# would want shared memory).
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
