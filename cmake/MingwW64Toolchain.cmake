# Cross-builds the Windows (x86-64) programs on Linux with Debian's
# mingw-w64 posix-thread compilers; the `windows` preset uses it.
# The runtime libraries (libgcc, libstdc++, winpthread) are linked in, so the
# programs need no DLL beyond those that come with Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TROTIX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TROTIX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TROTIX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TROTIX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TROTIX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static takes winpthread's archive rather than libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest, gtest_discover_tests and custom commands run each Windows program
# under Wine, in a Wine prefix of the build's own.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH TROTIX_SOURCE_ROOT)
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${TROTIX_SOURCE_ROOT}/scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
