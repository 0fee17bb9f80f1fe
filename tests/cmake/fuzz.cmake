# The fuzz targets, built with clang's libFuzzer and sanitizers by their own script (the
# host build's compiler is left alone), each run for a bounded time on every test run.
# Not in a tree that is itself sanitized: that tree reruns the suite, not the fuzzers.
if(NOT CMAKE_CROSSCOMPILING AND NOT WIN32 AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(QUILLANE_FUZZ_SECONDS 30 CACHE STRING "Seconds each fuzz target runs in the test suite")
  set(fuzz_script ${CMAKE_SOURCE_DIR}/tests/fuzz/build_and_run.sh)
  set(fuzz_out ${CMAKE_BINARY_DIR}/fuzz)

  add_test(NAME fuzz.build COMMAND bash ${fuzz_script} build ${fuzz_out})
  set_tests_properties(fuzz.build PROPERTIES
    LABELS fuzz FIXTURES_SETUP fuzz_targets TIMEOUT 600 SKIP_RETURN_CODE 77)

  foreach(target verse_collection holiday_calendar passage_lookup holiday_line)
    add_test(NAME fuzz.${target}
             COMMAND bash ${fuzz_script} run ${fuzz_out} ${QUILLANE_FUZZ_SECONDS} ${target})
    math(EXPR fuzz_timeout "${QUILLANE_FUZZ_SECONDS} + 300")
    set_tests_properties(fuzz.${target} PROPERTIES
      LABELS fuzz FIXTURES_REQUIRED fuzz_targets TIMEOUT ${fuzz_timeout} SKIP_RETURN_CODE 77)
  endforeach()

  # The committed seeds are what the generator makes of our data files.
  if(EXISTS /usr/bin/python3)
    add_test(NAME fuzz.seeds_reproducible
             COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/fuzz/make_seeds.py --check)
    set_tests_properties(fuzz.seeds_reproducible PROPERTIES LABELS fuzz)
  endif()
endif()
