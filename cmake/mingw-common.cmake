# Shared by mingw-x86_64.cmake and mingw-i686.cmake, which set QUILLMERE_MINGW_TRIPLE first.
# Debian's MinGW-w64 with POSIX threads (std::thread, std::mutex need them).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QUILLMERE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLMERE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLMERE_MINGW_TRIPLE}-windres)

# The third-party libraries built by scripts/build-windows.sh; the environment can move them
# (the variable reaches the compiler checks, which load this file again).
if(DEFINED ENV{QUILLMERE_WINDOWS_DEPS})
  set(QUILLMERE_WINDOWS_DEPS "$ENV{QUILLMERE_WINDOWS_DEPS}")
else()
  get_filename_component(QUILLMERE_WINDOWS_DEPS
    "${CMAKE_CURRENT_LIST_DIR}/../build/windows-${CMAKE_SYSTEM_PROCESSOR}/deps" ABSOLUTE)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${QUILLMERE_MINGW_TRIPLE} "${QUILLMERE_WINDOWS_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives first: the DLLs and programs must run without MinGW's DLLs beside them.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a .dll.a .lib)

# libgcc, libstdc++ and winpthread linked in; everything else comes from Windows itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
