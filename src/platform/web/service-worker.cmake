# The site's service worker, service-worker.js, made at build time from
# service-worker.js.in: every other file of the site with its SHA-256, and the
# build's name, the first 16 hex digits of the SHA-256 of that list, which
# names the worker's cache. Whatever file of the site changes, the worker
# changes with it, and browsers that kept the site install the new build.
# Included by site.cmake, it adds the command that writes the worker once the
# rest of the site is there (SITE_FILES); run as a script,
#
#   cmake -DSITE=DIR -P service-worker.cmake
#
# it writes DIR/service-worker.js for the files in DIR, as the build does.

if(NOT CMAKE_SCRIPT_MODE_FILE)
  add_custom_command(OUTPUT ${SCHACH3D_SITE}/service-worker.js
    COMMAND ${CMAKE_COMMAND} -DSITE=${SCHACH3D_SITE} -P ${CMAKE_CURRENT_LIST_FILE}
    # schach3d: its schach3d.js, and schach3d.wasm, linked with it.
    DEPENDS ${CMAKE_CURRENT_LIST_FILE} ${CMAKE_CURRENT_LIST_DIR}/service-worker.js.in schach3d ${SITE_FILES}
    COMMENT "Writing the site's service worker" VERBATIM)
  add_custom_target(service_worker ALL DEPENDS ${SCHACH3D_SITE}/service-worker.js)
  return()
endif()

# The site is the folder: what the ZIP packs is what the worker keeps.
file(GLOB names LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names service-worker.js)
list(SORT names)
set(listing "")
set(files "")
foreach(name ${names})
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND listing "${name} ${hash}\n")
  string(APPEND files "  ['${name}', '${hash}'],\n")
endforeach()
string(SHA256 build "${listing}")
string(SUBSTRING ${build} 0 16 build)
file(READ ${CMAKE_CURRENT_LIST_DIR}/service-worker.js.in worker)
string(CONFIGURE "${worker}" worker @ONLY)
# Written even when unchanged, so that the build sees it newer than the files.
file(WRITE ${SITE}/service-worker.js "${worker}")
