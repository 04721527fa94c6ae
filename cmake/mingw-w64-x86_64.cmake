# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model,
# which std::thread and std::mutex need). Tests run under wine:
#   cmake -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCHACH3D_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCHACH3D_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCHACH3D_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SCHACH3D_MINGW_TRIPLE}-windres)

# Libraries, headers and packages come from the mingw sysroot only, programs
# from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${SCHACH3D_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static (libstdc++, libgcc, winpthread), so an exe needs nothing
# but Windows' own DLLs: no DLLs to ship in the installer or to find under wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# try_run, gtest_discover_tests and ctest start Windows programs through wine.
get_filename_component(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run ABSOLUTE)
