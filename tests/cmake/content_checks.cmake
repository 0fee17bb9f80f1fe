# Content: what the Windows resource tests need, the generators' own checks, and
# previews of the art for a person to look at.

if(TARGET quillane_win_tests)
  # The version record is read through the version library; the committed data files
  # are compared with the resources built from them.
  target_link_libraries(quillane_win_tests PRIVATE version)
  target_compile_definitions(quillane_win_tests PRIVATE
                             QUILLANE_RESOURCE_DIR="${CMAKE_SOURCE_DIR}/resources")
endif()

# The generators run on the build machine only, with Debian's interpreter (it has PIL;
# the button faces reproduce exactly only with its FreeType).
set(QUILLANE_TOOLS_PYTHON /usr/bin/python3 CACHE FILEPATH "Interpreter of the content generators")
if(NOT CMAKE_CROSSCOMPILING AND UNIX AND EXISTS ${QUILLANE_TOOLS_PYTHON})
  set(tools ${CMAKE_SOURCE_DIR}/tools)
  # Keep the interpreter from leaving byte code in the source tree.
  set(tools_env PYTHONDONTWRITEBYTECODE=1)

  # Each generator's output, rebuilt and compared byte for byte with the committed files.
  add_test(NAME content.calendar.reproducible COMMAND sh ${tools}/calendar/check_reproducible.sh)
  add_test(NAME content.pictures.reproducible COMMAND sh ${tools}/pictures/check_reproducible.sh)
  add_test(NAME content.verses.reproducible COMMAND sh ${tools}/verses/check_reproducible.sh)
  add_test(NAME content.icons.reproducible
           COMMAND ${QUILLANE_TOOLS_PYTHON} ${tools}/icons/make_icons.py --check)
  add_test(NAME content.buttons.reproducible
           COMMAND ${QUILLANE_TOOLS_PYTHON} ${tools}/buttons/make_buttons.py --check)
  # Layout, brightness and format of the committed pictures.
  add_test(NAME content.pictures.layout
           COMMAND ${QUILLANE_TOOLS_PYTHON} ${tools}/pictures/check_pictures.py)
  set(content_checks content.calendar.reproducible content.pictures.reproducible
      content.verses.reproducible content.icons.reproducible content.buttons.reproducible
      content.pictures.layout)

  foreach(tool buttons calendar icons pictures verses)
    add_test(NAME content.${tool}.unittest
             COMMAND ${QUILLANE_TOOLS_PYTHON} -m unittest discover -s ${tools}/${tool}
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    list(APPEND content_checks content.${tool}.unittest)
  endforeach()

  # Previews of the eight pictures, every icon image and the button faces.
  set(content_screenshots ${CMAKE_BINARY_DIR}/screenshots)
  add_test(NAME content.screenshots.art
           COMMAND sh ${tools}/preview_art.sh ${content_screenshots}/art)
  add_test(NAME content.screenshots.pictures
           COMMAND ${QUILLANE_TOOLS_PYTHON} ${tools}/pictures/make_previews.py
                   --out ${content_screenshots}/pictures)
  list(APPEND content_checks content.screenshots.art content.screenshots.pictures)

  set_tests_properties(${content_checks} PROPERTIES
                       LABELS content TIMEOUT 120 ENVIRONMENT "${tools_env}")
  # Without diatheke the verse collections cannot be rebuilt: a skip, not a failure.
  set_tests_properties(content.verses.reproducible PROPERTIES SKIP_RETURN_CODE 77)
endif()
