# Install rules and the Debian package: the program, its desktop entry, icon,
# AppStream component and manual page. scripts/package builds the package.
include(GNUInstallDirs)

# The day the version in project() was released; the manual page, the
# AppStream release and the package changelog carry both.
set(SCHACH3D_RELEASE_DATE 2026-12-08)
execute_process(COMMAND date -u -R -d ${SCHACH3D_RELEASE_DATE}
  OUTPUT_VARIABLE SCHACH3D_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
# A placeholder under the reserved .invalid domain until the project has an
# address of its own.
set(SCHACH3D_MAINTAINER "schach3d developers <developers@schach3d.invalid>")
# Where software centres fetch the screenshots from: the files of docs/ by
# their names. A placeholder under the reserved example.org domain until the
# project has a home of its own.
set(SCHACH3D_SCREENSHOT_URL "https://example.org/schach3d/screenshots" CACHE STRING
  "Base URL of the screenshots named in the AppStream component")

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(pkg ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(pkg_out ${CMAKE_CURRENT_BINARY_DIR}/packaging)

install(TARGETS schach3d RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${pkg}/schach3d.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48x48 128x128 256x256)
  install(FILES ${pkg}/icons/${size}/schach3d.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
configure_file(${pkg}/schach3d.metainfo.xml.in ${pkg_out}/schach3d.metainfo.xml @ONLY)
install(FILES ${pkg_out}/schach3d.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The copyright file carries the permission text of LICENSE, indented as
# Debian's format wants it (an empty line becomes " .").
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^.*\nPermission" "Permission" license "${license}")
string(REGEX REPLACE "\n$" "" license "${license}")
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " SCHACH3D_LICENSE_TEXT " ${license}")
configure_file(${pkg}/copyright.in ${pkg_out}/copyright @ONLY)

# Debian ships manual pages and changelogs compressed, without a time stamp.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/docs/schach3d.6.in ${pkg_out}/schach3d.6 @ONLY)
configure_file(${pkg}/changelog.in ${pkg_out}/changelog @ONLY)
add_custom_command(OUTPUT ${pkg_out}/schach3d.6.gz ${pkg_out}/changelog.gz
  COMMAND gzip -9nkf schach3d.6 changelog
  DEPENDS ${pkg_out}/schach3d.6 ${pkg_out}/changelog
  WORKING_DIRECTORY ${pkg_out} VERBATIM)
add_custom_target(schach3d_compressed_docs ALL DEPENDS ${pkg_out}/schach3d.6.gz ${pkg_out}/changelog.gz)
install(FILES ${pkg_out}/schach3d.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${pkg_out}/copyright ${pkg_out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${pkg}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME schach3d)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME schach3d)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT ${SCHACH3D_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive three-dimensional chess scene")
set(CPACK_PACKAGE_DESCRIPTION
  "A room with a translucent table, a chess board with thirty-two pieces, a\n"
  "movable spot light and two rows of switch spheres above the board, in one\n"
  "OpenGL window. Pick pieces and fields with the mouse to move pieces in a\n"
  "smooth animation, hide and show pieces, turn the scene, move the camera\n"
  "and the light, and read the help. The program's texts are German.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
