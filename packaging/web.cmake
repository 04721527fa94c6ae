# The browser program's ZIP (scripts/package web): the site as a folder
# schach3d-<version>-web with a README.txt on serving it and the licence.
configure_file(${CMAKE_CURRENT_LIST_DIR}/web/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY)
install(DIRECTORY ${SCHACH3D_SITE}/ DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME schach3d)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME schach3d-${PROJECT_VERSION}-web)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
