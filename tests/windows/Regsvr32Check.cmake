# ctest script: regsvr32 registers Quillmere.dll in a fresh Wine prefix, every ProgID
# then resolves to its class, and regsvr32 /u takes every key away again.
# Variables: WINE, PREFIX (removed first), DLL.

set(progIds Quillmere.PPTInfo Quillmere.cProjectFileHandler Quillmere.cRegistry Quillmere.cUnzip)
file(REMOVE_RECURSE "${PREFIX}")
set(ENV{WINEPREFIX} "${PREFIX}")
set(ENV{WINEDEBUG} "-all")

# Files, not pipes: Wine's services inherit the first program's output and outlive it, and a pipe they
# hold would keep every call waiting until the Wine server shuts down.
function(run expectSuccess)
  execute_process(COMMAND "${WINE}" ${ARGN} RESULT_VARIABLE result OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
  if(expectSuccess AND NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}")
  elseif(NOT expectSuccess AND result EQUAL 0)
    message(FATAL_ERROR "unexpectedly succeeded: ${ARGN}")
  endif()
endfunction()

run(TRUE regsvr32 /s "${DLL}")
foreach(progId IN LISTS progIds)
  run(TRUE reg query "HKCR\\${progId}\\CLSID")
endforeach()
run(TRUE reg query "HKCR\\TypeLib\\{529C1273-8955-40B3-96CE-57C622F83347}\\9.0")
run(TRUE regsvr32 /u /s "${DLL}")
foreach(progId IN LISTS progIds)
  run(FALSE reg query "HKCR\\${progId}")
endforeach()
run(FALSE reg query "HKCR\\TypeLib\\{529C1273-8955-40B3-96CE-57C622F83347}")
