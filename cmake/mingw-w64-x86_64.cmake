# The same sources for 64-bit Windows: what the Windows and end-to-end tests run
# under Wine on machines whose kernel cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILLANE_MINGW_PREFIX x86_64-w64-mingw32)
set(QUILLANE_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
