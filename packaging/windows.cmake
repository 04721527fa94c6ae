# The Windows side of packaging: the exe's icon and version resource, install
# rules, and CPack's NSIS installer and ZIP. Included by the root
# CMakeLists.txt when WIN32 in place of packaging.cmake; scripts/package
# windows builds both packages.
set(pkg ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(pkg_out ${CMAKE_CURRENT_BINARY_DIR}/packaging)

# The manifest, the icon and VERSIONINFO (packaging/windows/schach3d.rc.in),
# compiled by windres into the exe.
set(SCHACH3D_ICO ${pkg}/windows/schach3d.ico)
set(SCHACH3D_MANIFEST ${pkg}/windows/schach3d.manifest)
configure_file(${pkg}/windows/schach3d.rc.in ${pkg_out}/schach3d.rc @ONLY)
target_sources(schach3d PRIVATE ${pkg_out}/schach3d.rc)
set_property(SOURCE ${pkg_out}/schach3d.rc APPEND PROPERTY OBJECT_DEPENDS ${SCHACH3D_ICO} ${SCHACH3D_MANIFEST})

# The README for Windows users (what the program is, its mouse and keys,
# where its texts appear, how to remove it) and the licence, as texts that a
# double click opens in Notepad: .txt, and CRLF line ends for Notepads before
# Windows 10 1809. Both are plain ASCII, so every Notepad reads them alike,
# byte order mark or not; NSIS's licence page shows LICENSE.txt too.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${pkg}/windows/README.txt ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
function(schach3d_windows_text from to)
  file(READ ${from} text)
  if(NOT text MATCHES "^[\t\n -~]*$")
    message(FATAL_ERROR "${from}: only printable ASCII, tabs and line ends, please")
  endif()
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${pkg_out}/${to} "${text}")
endfunction()
schach3d_windows_text(${pkg}/windows/README.txt README.txt)
schach3d_windows_text(${CMAKE_CURRENT_SOURCE_DIR}/LICENSE LICENSE.txt)

# Everything in the top folder: the exe needs no DLLs beside it, and whoever
# unpacks the ZIP finds the program next to its README at once; bin/ is a
# Unix habit that only adds a click on Windows.
install(TARGETS schach3d RUNTIME DESTINATION .)
install(FILES ${pkg_out}/README.txt ${pkg_out}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME schach3d)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "schach3d developers")
set(CPACK_PACKAGE_FILE_NAME schach3d-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive three-dimensional chess scene")
set(CPACK_RESOURCE_FILE_LICENSE ${pkg_out}/LICENSE.txt)
set(CPACK_STRIP_FILES ON) # the build carries debug information
# freeglut's install rules stay out (EXCLUDE_FROM_ALL), but the names of its
# components still reach CPack, which would make the installer offer an
# empty "Devel" part: one whole install instead.
set(CPACK_MONOLITHIC_INSTALL ON)

# The ZIP unpacks into a folder of its own, schach3d-<version>-win64.
set(CPACK_ZIP_INCLUDE_TOPLEVEL_DIRECTORY ON)

# The installer: a 64-bit one (Debian's makensis has the amd64 stubs), so it
# installs into the 64-bit Program Files and registers in the 64-bit
# registry, like the program it carries.
# (Set in the script: CPack passes makensis's arguments on unquoted, and
# -XTarget needs a space in its one.)
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY schach3d)
set(CPACK_NSIS_PACKAGE_NAME "Schach 3D")
set(CPACK_NSIS_DISPLAY_NAME "Schach 3D")
# One uninstall key for every version, so that installing a newer one
# removes the older one first instead of leaving two entries.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY schach3d)
# The Start menu entry "Schach 3D" (beside CPack's "Uninstall"), in the
# folder the installer asks for, "Schach 3D" by default. A menu link rather
# than CPACK_PACKAGE_EXECUTABLES, which expects the exe in bin/.
set(CPACK_NSIS_MENU_LINKS schach3d.exe "Schach 3D")
# Our own template (packaging/windows/NSIS.template.in): English, and German
# on a German Windows, and the size of the installation for "Apps and
# features".
list(PREPEND CMAKE_MODULE_PATH ${pkg}/windows)
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${pkg}/windows/installer.bmp)
set(CPACK_NSIS_MUI_ICON ${SCHACH3D_ICO})
set(CPACK_NSIS_MUI_UNIICON ${SCHACH3D_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME schach3d.exe) # the icon in "Apps and features"
include(CPack)
