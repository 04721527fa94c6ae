# The libraries the Windows build links, under the names the Linux build gets
# from find_package: GLUT::GLUT, OpenGL::GL, OpenGL::GLU, Threads::Threads,
# and (with SCHACH3D_TESTS) GTest::gtest and GTest::gtest_main.
# Included by the root CMakeLists.txt in place of those find_package calls
# when WIN32 (a cross build with cmake/mingw-w64-x86_64.cmake), after the
# option() lines: SCHACH3D_TESTS decides whether GoogleTest is built.
#
# freeglut is compiled from Debian's source package, which scripts/install-deps
# fetches into the user's cache; GoogleTest from Debian's googletest sources.
# Both are built as static libraries, so the exe carries them.

if(CMAKE_VERSION VERSION_LESS 3.25)
  message(FATAL_ERROR "The Windows build needs CMake 3.25 (add_subdirectory SYSTEM)")
endif()

set(SCHACH3D_FREEGLUT_SRC "$ENV{SCHACH3D_FREEGLUT_SRC}" CACHE PATH
  "Folder holding the unpacked freeglut source package (scripts/install-deps fills it)")
if(NOT SCHACH3D_FREEGLUT_SRC)
  if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(SCHACH3D_FREEGLUT_SRC "$ENV{XDG_CACHE_HOME}/schach3d/freeglut-src" CACHE PATH "" FORCE)
  else()
    set(SCHACH3D_FREEGLUT_SRC "$ENV{HOME}/.cache/schach3d/freeglut-src" CACHE PATH "" FORCE)
  endif()
endif()
file(GLOB _schach3d_freeglut_dirs LIST_DIRECTORIES true "${SCHACH3D_FREEGLUT_SRC}/freeglut-3.*")
list(SORT _schach3d_freeglut_dirs COMPARE NATURAL)
list(POP_BACK _schach3d_freeglut_dirs _schach3d_freeglut_dir)
if(NOT _schach3d_freeglut_dir OR NOT EXISTS "${_schach3d_freeglut_dir}/CMakeLists.txt")
  message(FATAL_ERROR "No freeglut source under ${SCHACH3D_FREEGLUT_SRC}: run scripts/install-deps")
endif()

set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED)        # opengl32 and glu32 from the mingw sysroot
find_package(Threads REQUIRED)

# Only the static library: no DLL, no demos. EXCLUDE_FROM_ALL keeps its
# install rules out of ours (and out of the installer). It writes config.h,
# freeglut.rc and freeglut.pc into the top of the build tree; GoogleTest puts
# its libraries in lib/ there.
set(FREEGLUT_BUILD_STATIC_LIBS ON CACHE BOOL "" FORCE)
set(FREEGLUT_BUILD_SHARED_LIBS OFF CACHE BOOL "" FORCE)
set(FREEGLUT_BUILD_DEMOS OFF CACHE BOOL "" FORCE)
set(FREEGLUT_REPLACE_GLUT OFF CACHE BOOL "" FORCE)
# Its CMakeLists asks for CMake 3.0: keep the notice about that out of every configure.
set(CMAKE_WARN_DEPRECATED OFF)
add_subdirectory("${_schach3d_freeglut_dir}" "${CMAKE_BINARY_DIR}/_deps/freeglut" EXCLUDE_FROM_ALL SYSTEM)
unset(CMAKE_WARN_DEPRECATED)
# Someone else's code: our -Wall -Wextra -Wpedantic would only bury our own warnings.
set_property(TARGET freeglut_static APPEND PROPERTY COMPILE_OPTIONS -w)
# freeglut_static already carries FREEGLUT_STATIC (so that freeglut.h does not
# declare the functions dllimport) and links opengl32, winmm and gdi32.
# Its headers are set per directory there, so consumers would not see them.
target_include_directories(freeglut_static SYSTEM INTERFACE "${_schach3d_freeglut_dir}/include")
add_library(GLUT::GLUT ALIAS freeglut_static)

if(SCHACH3D_TESTS)
  set(_schach3d_gtest_src /usr/src/googletest)
  if(NOT EXISTS ${_schach3d_gtest_src}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest source in ${_schach3d_gtest_src}: run scripts/install-deps")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${_schach3d_gtest_src} "${CMAKE_BINARY_DIR}/_deps/googletest" EXCLUDE_FROM_ALL SYSTEM)
  set_property(TARGET gtest gtest_main APPEND PROPERTY COMPILE_OPTIONS -w)
  # googletest defines GTest::gtest and GTest::gtest_main as aliases itself.
endif()
