# Cross build for Windows with Debian's mingw-w64 (posix threads variant, which GoogleTest needs).
# Included by the per-target toolchain files, which set MINGW_TARGET, MINGW_PROCESSOR and WINE_LOADER_BITS first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TARGET}-windres)
set(CMAKE_OBJDUMP ${MINGW_TARGET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test executables run under the Wine loader of the target's width, with a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine-run --bits ${WINE_LOADER_BITS} --prefix ${CMAKE_BINARY_DIR}/wine-prefix)
