# Cross-compiles for x86_64 Windows with Debian's MinGW-w64 (see scripts/build-windows.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILLMERE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
