# Tests that need a tool the machine lacks. On a developer's machine they are reported skipped, with
# the reason; in CI (CI set in the environment) the same gap is an install step that went missing, so
# configuring stops with the reason instead.
function(quillmere_fail_in_ci why)
  if(NOT "$ENV{CI}" STREQUAL "" AND NOT "$ENV{CI}" STREQUAL "false" AND NOT "$ENV{CI}" STREQUAL "0")
    message(FATAL_ERROR "CI runs every test, but ${why}")
  endif()
endfunction()

function(quillmere_tests_skipped_without_tool why)
  quillmere_fail_in_ci("${why}: ${ARGN}")
  message(WARNING "Skipped, ${why}: ${ARGN}")
  foreach(name IN LISTS ARGN)
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "${name} skipped: ${why}")
    set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "skipped:")
  endforeach()
endfunction()
