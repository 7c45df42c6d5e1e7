# Cross build for Windows with Debian's mingw-w64 (posix threads variant, which GoogleTest needs).
# Included by the per-target toolchain files, which set MINGW_TARGET, MINGW_PROCESSOR and WINE_LOADER_BITS first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_PROCESSOR})

# Without a cross tool CMake would fail deep inside its compiler checks: name the package to install.
string(REPLACE "_" "-" mingw_package_processor ${MINGW_PROCESSOR})
foreach(tool_and_package IN ITEMS "gcc-posix;gcc-mingw-w64-${mingw_package_processor}-posix"
        "g++-posix;g++-mingw-w64-${mingw_package_processor}-posix" "windres;binutils-mingw-w64-${mingw_package_processor}")
    list(GET tool_and_package 0 tool)
    list(GET tool_and_package 1 package)
    find_program(mingw_tool_path ${MINGW_TARGET}-${tool} NO_CACHE)
    if(NOT mingw_tool_path)
        message(FATAL_ERROR "${MINGW_TARGET}-${tool} is not installed. Install the Debian package ${package}, "
                            "or run scripts/setup, which installs everything the builds need.")
    endif()
endforeach()

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
