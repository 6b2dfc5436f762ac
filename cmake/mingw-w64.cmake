# Cross-builds Dravelin for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix,
# mingw-w64-tools), and runs the Windows tests under Wine (Debian: wine64):
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#   cmake --build build-windows
#   ctest --test-dir build-windows
#
# No Qt for Windows is found here, so the windows are left out and only the parts below Qt
# are built: the database library, dravelin-recherche, dravelin-annuaire, generate_directory
# and their tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DRAVELIN_MINGW_TRIPLET x86_64-w64-mingw32)
# The POSIX threads flavour: std::thread and std::mutex need it with this compiler.
find_program(CMAKE_CXX_COMPILER NAMES ${DRAVELIN_MINGW_TRIPLET}-g++-posix ${DRAVELIN_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${DRAVELIN_MINGW_TRIPLET}-gcc-posix ${DRAVELIN_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${DRAVELIN_MINGW_TRIPLET}-windres)

# Libraries and packages come from the MinGW tree only, never from the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${DRAVELIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime is linked in, so that each .exe runs on its own, under Wine as
# on a Windows machine without MinGW.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest starts each Windows test through Wine, in a Wine prefix of the build folder's own
# (made once by cmake/WineTests.cmake), quiet, with no display, and without the prompts to
# install Mono and Gecko.
find_program(DRAVELIN_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(DRAVELIN_WINE)
  set(DRAVELIN_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  # Run by root, Wine writes files marked read-only all the same, where Windows refuses even an
  # administrator: then the tests run as the unprivileged user nobody, when that user can read
  # the source and build folders.
  set(DRAVELIN_WINE_USER)
  find_program(DRAVELIN_SETPRIV setpriv NO_CMAKE_FIND_ROOT_PATH)
  execute_process(COMMAND id -u OUTPUT_VARIABLE user_id OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(user_id STREQUAL "0" AND DRAVELIN_SETPRIV)
    set(as_nobody ${DRAVELIN_SETPRIV} --reuid=65534 --regid=65534 --clear-groups)
    execute_process(COMMAND ${as_nobody} test -r ${CMAKE_SOURCE_DIR}/CMakeLists.txt -a -x ${CMAKE_BINARY_DIR}
                    RESULT_VARIABLE nobody_access OUTPUT_QUIET ERROR_QUIET)
    if(nobody_access EQUAL 0)
      set(DRAVELIN_WINE_USER 65534:65534)
    else()
      unset(as_nobody)
    endif()
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${as_nobody} ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
      HOME=${DRAVELIN_WINEPREFIX} WINEPREFIX=${DRAVELIN_WINEPREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml="
      ${DRAVELIN_WINE})
endif()
