# A stand-in shell library for the notification-icon tests: its version reply is set
# by the test, which loads it from beside the test binary.
if(WIN32 AND TARGET quillane_win_tests)
  add_library(quillane_fake_shell MODULE
              ${CMAKE_CURRENT_LIST_DIR}/../win32/shell/tray_icon_fake_shell/fake_shell.cpp
              ${CMAKE_CURRENT_LIST_DIR}/../win32/shell/tray_icon_fake_shell/fake_shell.def)
  set_target_properties(quillane_fake_shell PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY $<TARGET_FILE_DIR:quillane_win_tests>)
  if(NOT MSVC)
    # No MinGW runtime DLLs to find under Wine.
    target_link_options(quillane_fake_shell PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
  quillane_warnings(quillane_fake_shell)
  add_dependencies(quillane_win_tests quillane_fake_shell)
  target_compile_definitions(quillane_win_tests PRIVATE
                             QUILLANE_FAKE_SHELL="$<TARGET_FILE_NAME:quillane_fake_shell>")
endif()
