# The rollover, holiday calendar and passage lookup tests once more under the address
# and undefined-behaviour sanitizers: 64-bit extremes, over-long fields and small
# buffers must neither overflow nor write out of bounds.
if(NOT CMAKE_CROSSCOMPILING AND NOT WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_executable(quillane_calendar_sanitized_tests
                 ${CMAKE_SOURCE_DIR}/core/local_time.cpp
                 ${CMAKE_SOURCE_DIR}/core/rollover.cpp
                 ${CMAKE_SOURCE_DIR}/content/holiday_calendar.cpp
                 ${CMAKE_SOURCE_DIR}/card/passage_lookup.cpp
                 ${CMAKE_SOURCE_DIR}/content/translation_table.cpp
                 ${CMAKE_CURRENT_SOURCE_DIR}/host/core/rollover_test.cpp
                 ${CMAKE_CURRENT_SOURCE_DIR}/host/content/holiday_calendar_test.cpp
                 ${CMAKE_CURRENT_SOURCE_DIR}/host/card/passage_lookup_test.cpp)
  target_include_directories(quillane_calendar_sanitized_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(quillane_calendar_sanitized_tests PRIVATE
                             QUILLANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_compile_options(quillane_calendar_sanitized_tests PRIVATE ${sanitize})
  target_link_options(quillane_calendar_sanitized_tests PRIVATE ${sanitize})
  target_link_libraries(quillane_calendar_sanitized_tests PRIVATE GTest::gtest_main)
  quillane_warnings(quillane_calendar_sanitized_tests)
  add_test(NAME calendar.sanitized COMMAND quillane_calendar_sanitized_tests)
endif()
