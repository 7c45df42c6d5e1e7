# The 64-bit plug-in: x86_64 mingw-w64, tests under the 64-bit Wine loader.
set(MINGW_TARGET x86_64-w64-mingw32)
set(MINGW_PROCESSOR x86_64)
set(WINE_LOADER_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
