# The 32-bit plug-in: i686 mingw-w64, tests under 32-bit Wine.
set(MINGW_TARGET i686-w64-mingw32)
set(MINGW_PROCESSOR i686)
set(WINE_LOADER_BITS 32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
