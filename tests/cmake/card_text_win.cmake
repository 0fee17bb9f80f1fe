# The card's pure text tests once more against the Windows C runtime, whose snprintf
# is the one the product's holiday lines and attribution go through.
if(WIN32 AND TARGET GTest::gtest_main)
  add_executable(quillane_card_text_win_tests
                 ${CMAKE_SOURCE_DIR}/tests/host/card/card_text_test.cpp
                 ${CMAKE_SOURCE_DIR}/tests/host/content/background_picture_test.cpp)
  target_link_libraries(quillane_card_text_win_tests PRIVATE quillane_core GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    # Wine sees the checkout through drive Z:.
    set(card_text_source_dir "Z:${CMAKE_SOURCE_DIR}")
  else()
    set(card_text_source_dir "${CMAKE_SOURCE_DIR}")
  endif()
  target_compile_definitions(quillane_card_text_win_tests PRIVATE
                             QUILLANE_SOURCE_DIR="${card_text_source_dir}")
  quillane_warnings(quillane_card_text_win_tests)
  gtest_discover_tests(quillane_card_text_win_tests DISCOVERY_MODE PRE_TEST
                       DISCOVERY_TIMEOUT 120 TEST_PREFIX "win32." PROPERTIES LABELS win32)
endif()
