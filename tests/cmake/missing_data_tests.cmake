# The Windows code linked with a resource script that has every template and picture
# but neither the verse collections nor the holiday calendar: the script and its data
# list, with the VERSES and HOLIDAYS lines left out, so the two never drift apart.
if(WIN32 AND TARGET quillane_win AND TARGET GTest::gtest_main)
  set(resource_dir ${CMAKE_SOURCE_DIR}/resources)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${resource_dir}/quillane.rc ${resource_dir}/content.rc)
  file(READ ${resource_dir}/quillane.rc nodata_script)
  file(READ ${resource_dir}/content.rc nodata_content)
  string(REPLACE "#include \"content.rc\"" "" nodata_script "${nodata_script}")
  string(REGEX REPLACE "[^\n]*[ \t](VERSES|HOLIDAYS)[ \t][^\n]*\n" "" nodata_content
         "${nodata_content}")
  if(nodata_script MATCHES "(VERSES|HOLIDAYS) \"" OR NOT nodata_content MATCHES " IMAGE ")
    message(FATAL_ERROR "the data-free resource script still holds data or lost the pictures")
  endif()
  set(nodata_rc ${CMAKE_CURRENT_BINARY_DIR}/quillane_nodata.rc)
  file(CONFIGURE OUTPUT ${nodata_rc} CONTENT "${nodata_script}\n${nodata_content}" @ONLY)

  file(GLOB nodata_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../win32_nodata/*.cpp)
  add_executable(quillane_nodata_tests ${nodata_tests}
                 ${CMAKE_CURRENT_LIST_DIR}/../win32/card/card_painter_canvas.cpp ${nodata_rc})
  # The script names its files relative to resources/.
  target_include_directories(quillane_nodata_tests PRIVATE ${resource_dir} ${CMAKE_SOURCE_DIR})
  target_link_libraries(quillane_nodata_tests PRIVATE quillane_win GTest::gtest_main)
  quillane_warnings(quillane_nodata_tests)
  gtest_discover_tests(quillane_nodata_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES LABELS win32)
endif()
