# The Windows form beside the Linux tests: when MinGW-w64 and Wine are installed, scripts/build-windows.sh
# builds it for x86_64 and i686 in the same folders as by hand (build/windows-<arch>, so that either kind
# of build reuses the other's work), and ctest runs each build's own tests.
find_program(QUILLMERE_MINGW_X86_64 x86_64-w64-mingw32-g++-posix)
find_program(QUILLMERE_MINGW_I686 i686-w64-mingw32-g++-posix)
# Debian's wine64 package puts its loader in /usr/lib/wine only; the Windows tests call it there.
find_program(QUILLMERE_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT (QUILLMERE_MINGW_X86_64 AND QUILLMERE_MINGW_I686 AND QUILLMERE_WINE64))
  include(${PROJECT_SOURCE_DIR}/cmake/MissingTool.cmake)
  quillmere_tests_skipped_without_tool("there is no MinGW-w64 or Wine (scripts/install-deps.sh windows installs them)"
                                       windows.x86_64 windows.i686)
  return()
endif()

# What the Linux build writes for a few corpus decks, which the Windows engine's exports must equal
# (tests/windows/Win32LayersEngineExportTest.cpp; Wine shows the Linux root as Z:).
set(linuxExports "${CMAKE_BINARY_DIR}/windows-linux-exports")
set(exports "rm -rf '${linuxExports}'")
foreach(deck IN ITEMS pptx__txt-text pptx__shp-freeform poi__49386-null_dates)
  string(APPEND exports " && '$<TARGET_FILE:quillmere>' --no-images presentation"
                        " '${QUILLMERE_CORPUS_DIR}/${deck}.pptx' -o '${linuxExports}/${deck}' >/dev/null")
endforeach()
add_test(NAME windows.linux-exports COMMAND bash -c "${exports}")
set_tests_properties(windows.linux-exports PROPERTIES FIXTURES_SETUP quillmere_linux_exports)

include(ExternalProject)
set(after "")
foreach(arch IN ITEMS x86_64 i686)
  set(build "${PROJECT_SOURCE_DIR}/build/windows-${arch}")
  ExternalProject_Add(quillmere_windows_${arch}
    DEPENDS ${after}  # one architecture at a time: each already compiles two files at once
    SOURCE_DIR "${PROJECT_SOURCE_DIR}"
    CONFIGURE_COMMAND ""
    BINARY_DIR "${build}"
    BUILD_COMMAND ${CMAKE_COMMAND} -E env QUILLMERE_CORPUS_DIR=${QUILLMERE_CORPUS_DIR}
                  CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
                  bash ${PROJECT_SOURCE_DIR}/scripts/build-windows.sh ${arch}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)  # the sources are this tree's: the Windows build decides what is out of date
  add_test(NAME windows.${arch} COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${build} --output-on-failure)
  # Started first (COST): the Wine suites are long and run beside the Linux tests.
  set_tests_properties(windows.${arch} PROPERTIES COST 10000 TIMEOUT 1800 FIXTURES_REQUIRED quillmere_linux_exports
                       ENVIRONMENT "QUILLMERE_LINUX_EXPORTS=Z:${linuxExports}")
  set(after quillmere_windows_${arch})
endforeach()
