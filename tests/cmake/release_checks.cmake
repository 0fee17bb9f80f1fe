# The release pieces, checked on the build machine: line ends of the shipped texts, the
# portable archive and both installers, made from the 32-bit program of the mingw preset;
# and two clean builds of the release, which must give the same bytes.
if(NOT CMAKE_CROSSCOMPILING AND UNIX AND EXISTS /usr/bin/python3)
  set(release_checks)
  foreach(case TextLineEnds PortableZip Installers Reproducible)
    add_test(NAME release.${case}
             COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/release/test_package.py ${case})
    list(APPEND release_checks release.${case})
  endforeach()
  set_tests_properties(${release_checks} PROPERTIES
                       LABELS release TIMEOUT 120 SKIP_RETURN_CODE 77
                       ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
  # Two product builds, about a minute each on a busy machine.
  set_tests_properties(release.Reproducible PROPERTIES TIMEOUT 600)
endif()
