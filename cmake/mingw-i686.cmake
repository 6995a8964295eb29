# Cross-compiles for i686 Windows with Debian's MinGW-w64 (see scripts/build-windows.sh).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILLMERE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
