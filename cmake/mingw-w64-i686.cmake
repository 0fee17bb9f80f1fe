# The product: 32-bit Windows. Runs under Wine only where the kernel runs 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILLANE_MINGW_PREFIX i686-w64-mingw32)
set(QUILLANE_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
