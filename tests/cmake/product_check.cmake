# The shipped 32-bit program, built by the mingw preset beside this tree.
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME product.exe_is_32bit_with_system_dlls_only
           COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check_product.sh
                   ${CMAKE_SOURCE_DIR}/build/win/Quillane.exe)
  set_tests_properties(product.exe_is_32bit_with_system_dlls_only PROPERTIES SKIP_RETURN_CODE 77)
endif()
