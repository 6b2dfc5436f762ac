# Cross-builds Dravelin for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix,
# mingw-w64-tools), and runs the Windows tests under Wine (Debian: wine64):
#
#   cmake --preset windows && cmake --build --preset windows && ctest --preset windows
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

# The tests run under Wine: cmake/WineTests.cmake, included by tests/CMakeLists.txt.
