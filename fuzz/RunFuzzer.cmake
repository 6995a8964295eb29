# Runs one fuzz target for SECONDS from fresh copies of the seed files that
# the patterns in SEEDS ('|' between them) match, in WORK. Fails with the
# finding's file when the target crashed, hung, leaked or ran out of memory.
#   cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=60 -P RunFuzzer.cmake

set(maxLen 65536)  # the small decks and archives the seeds are; mutations may grow them
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/seeds" "${WORK}/findings")

string(REPLACE "|" ";" patterns "${SEEDS}")
set(count 0)
foreach(pattern IN LISTS patterns)
  file(GLOB files LIST_DIRECTORIES false "${pattern}")
  foreach(file IN LISTS files)
    file(SIZE "${file}" size)
    if(size GREATER 0 AND size LESS_EQUAL maxLen)
      math(EXPR count "${count} + 1")
      get_filename_component(name "${file}" NAME)
      file(COPY_FILE "${file}" "${WORK}/seeds/${count}-${name}")
    endif()
  endforeach()
endforeach()
message(STATUS "${count} seed files")

# -entropic=0: libFuzzer's entropic schedule spent 40 % of the whole-export target's time updating its
# feature frequencies; without it the target runs about 1.5 times the inputs in the same minute.
# -timeout: an input that takes this long hangs; -rss_limit_mb: one that grows past it runs out of memory;
# -close_fd_mask: the library's own warnings are left out, the fuzzer's report is not.
execute_process(COMMAND "${FUZZER}" -entropic=0 -max_total_time=${SECONDS} -max_len=${maxLen} -timeout=20 -rss_limit_mb=2560
                        -close_fd_mask=3 -print_final_stats=1 "-artifact_prefix=${WORK}/findings/" "${WORK}/corpus" "${WORK}/seeds"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(GLOB findings "${WORK}/findings/*")
  message(FATAL_ERROR "${FUZZER} found a fault (status ${status}): ${findings}\n"
                      "Keep the input under tests/fuzz-regressions/ once it is fixed.")
endif()
