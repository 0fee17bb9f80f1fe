# The settings code of the older system family (Windows 95, 98, Me), in a test program
# of its own that Wine is told to run as Windows 98: Wine picks the reported version
# per program name.
if(WIN32 AND CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  file(GLOB legacy_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32_legacy/*.cpp)
  add_executable(quillane_legacy_tests ${legacy_test_sources})
  target_link_libraries(quillane_legacy_tests PRIVATE quillane_win GTest::gtest_main)
  quillane_warnings(quillane_legacy_tests)

  set(legacy_version_key "HKCU\\Software\\Wine\\AppDefaults\\quillane_legacy_tests.exe")
  add_test(NAME legacy.report_windows_98
           COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg add ${legacy_version_key}
                   /v Version /d win98 /f)
  add_test(NAME legacy.report_current_system
           COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg delete ${legacy_version_key} /f)
  set_tests_properties(legacy.report_windows_98 PROPERTIES
                       FIXTURES_SETUP legacy_system LABELS win32 TIMEOUT 120)
  set_tests_properties(legacy.report_current_system PROPERTIES
                       FIXTURES_CLEANUP legacy_system LABELS win32 TIMEOUT 120)
  # PRE_TEST: listing the tests runs the binary, which under Wine needs the run's prefix.
  gtest_discover_tests(quillane_legacy_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       TEST_PREFIX legacy.
                       PROPERTIES FIXTURES_REQUIRED legacy_system LABELS win32)
endif()
