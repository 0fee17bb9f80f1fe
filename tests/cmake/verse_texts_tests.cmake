# Texts a distributor supplies in QUILLANE_TEXTS_DIR: the check of each file, one fixture
# per fault, and a small Windows build whose resources embed a supplied collection.
# Included by the test tree it adds the test; run with -P it is the test.

if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(NOT CMAKE_CROSSCOMPILING AND NOT WIN32)
    add_test(NAME content.verse_texts
             COMMAND ${CMAKE_COMMAND} -DQUILLANE_SOURCE_DIR=${CMAKE_SOURCE_DIR}
                     -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/verse_texts
                     -P ${CMAKE_CURRENT_LIST_FILE})
    set_tests_properties(content.verse_texts PROPERTIES
                         LABELS content TIMEOUT 300 SKIP_RETURN_CODE 77)
  endif()
  return()
endif()

cmake_minimum_required(VERSION 3.20)
include(${QUILLANE_SOURCE_DIR}/cmake/verse_texts.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
set(failures 0)
macro(fail what)
  message(SEND_ERROR "${what}")
  math(EXPR failures "${failures} + 1")
endmacro()

string(ASCII 13 10 CRLF)
string(ASCII 9 TAB)
string(ASCII 13 CR)
string(ASCII 10 LF)
string(ASCII 129 UNDEFINED)
string(ASCII 226 128 153 UTF8_QUOTE)
string(ASCII 147 148 QUOTES)  # curly quotes in Windows-1252
string(REPEAT "x" 4094 LONGEST)
string(ASCII 195 169 UTF8_E_ACUTE)
string(ASCII 233 E_ACUTE)  # in Windows-1252
set(PAIR "In the beginning God created.${CRLF}Genesis 1:1${CRLF}")
# Six of these fill a line of the card, which shows eleven above the reference.
string(REPEAT "word " 65 ELEVEN_LINES)
string(REPEAT "W" 19 WIDEST_BOOK)
string(REPEAT "x" 400 UNBROKEN)  # DrawText breaks it over 14 lines
string(REPEAT "abc${CRLF}Job 1:1${CRLF}" 32769 MANY_PAIRS)

# name | content | line of the fault, 0 for none | words of the message
set(cases
    "good|${PAIR}${QUOTES}Let there be light.${QUOTES}${CRLF}Genesis 1:3|0|"
    "good_line_end|${PAIR}Text.${CRLF}Psalm 119:89,90${CRLF}|0|"
    "good_short_passage|abc${CRLF}John 11:35|0|"
    "lf_alone|${PAIR}Text.${LF}Genesis 1:3${CRLF}|3|without CR"
    "cr_alone|${PAIR}Text.${CR}Genesis 1:3${CRLF}|3|CR without LF"
    "cr_at_end|${PAIR}Text.${CRLF}Genesis 1:3${CR}|4|CR without LF"
    "odd_lines|${PAIR}Text.${CRLF}|3|no reference"
    "empty||1|empty"
    "good_full_card|${PAIR}${ELEVEN_LINES}end.${CRLF}1 Thessalonians 5:16-18, 20${CRLF}|0|"
    "no_colon|${PAIR}Text.${CRLF}Genesis 1 3${CRLF}|4|no reference"
    "verses_not_numbers|${PAIR}Text.${CRLF}Genesis 1:3a${CRLF}|4|no reference"
    "reference_too_wide|${PAIR}Text.${CRLF}${WIDEST_BOOK} 1:3${CRLF}|4|354 pixels wide"
    "reference_not_ascii|${PAIR}Text.${CRLF}Gen${E_ACUTE}sis 1:3${CRLF}|4|byte 0xe9"
    "passage_past_reference|${PAIR}${ELEVEN_LINES}word end.${CRLF}Genesis 1:3${CRLF}|3|12 lines"
    "unbroken_run|${PAIR}${UNBROKEN}${CRLF}Genesis 1:3${CRLF}|3|14 lines of the card at 96"
    "utf8_two_bytes|${PAIR}Caf${UTF8_E_ACUTE}.${CRLF}Genesis 1:3${CRLF}|3|c3 a9 are UTF-8"
    "too_many_pairs|${MANY_PAIRS}|65537|more than 32768 pairs"
    "control|${PAIR}Some${TAB}text.${CRLF}Genesis 1:3${CRLF}|3|control byte 0x09"
    "undefined_byte|${PAIR}Text${UNDEFINED}.${CRLF}Genesis 1:3${CRLF}|3|0x81"
    "utf8|${PAIR}God${UTF8_QUOTE}s word.${CRLF}Genesis 1:3${CRLF}|3|UTF-8"
    "too_long|${PAIR}${LONGEST}x${CRLF}Genesis 1:3${CRLF}|3|4096 bytes"
    "short_passage|${PAIR}ab${CRLF}John 11:35${CRLF}|3|fewer than 3")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 content)
  list(GET fields 2 line)
  list(GET fields 3 words)
  set(file ${WORK_DIR}/${name}/verses_150.txt)
  file(WRITE ${file} "${content}")
  quillane_check_verse_file(${file} fault)
  if(line EQUAL 0)
    if(NOT fault STREQUAL "")
      fail("${name}: a good file is refused: ${fault}")
    endif()
  elseif(NOT fault MATCHES "^${file}:${line}: .*${words}")
    fail("${name}: expected ${file}:${line}: ...${words}..., seen \"${fault}\"")
  endif()
endforeach()

# A Windows resource build with texts supplied: the configure step names them, stops at a
# faulty one, and the supplied file is what the resources embed.
set(toolchain ${QUILLANE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake)
find_program(windres x86_64-w64-mingw32-windres)
find_program(mingw_cxx x86_64-w64-mingw32-g++-posix)
if(NOT windres OR NOT mingw_cxx)
  message(STATUS "no MinGW-w64 toolchain: the resource build is left out")
  if(failures)
    message(FATAL_ERROR "${failures} case(s) failed")
  endif()
  return()
endif()
set(build ${WORK_DIR}/build)
foreach(texts good utf8)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${QUILLANE_SOURCE_DIR} -B ${build}
                          -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE=${toolchain}
                          -DQUILLANE_TESTS=OFF -DQUILLANE_TEXTS_DIR=${WORK_DIR}/${texts}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(texts STREQUAL "utf8")
    # The message is wrapped at blanks; the file and line stay together.
    if(status EQUAL 0 OR NOT output MATCHES "${WORK_DIR}/utf8/verses_150.txt:3:[ \n]")
      fail("a faulty supplied file must stop the configure step, naming file and line:\n${output}")
    endif()
    break()
  endif()
  if(NOT status EQUAL 0)
    fail("configure with good texts failed:\n${output}")
    break()
  endif()
  if(NOT output MATCHES "Verse collections 140-146, 148-149, 151-152 carry World English Bible"
     OR NOT output MATCHES "Verse texts supplied from ${WORK_DIR}/good: 150 \\(NIV\\)")
    fail("the configure step does not say which collections are supplied:\n${output}")
  endif()
  file(READ ${build}/generated/quillane_texts.h header)
  if(NOT header MATCHES "STAND_IN_COLLECTIONS 140, [0-9, ]*149, 151, 152\n"
     OR NOT header MATCHES "NOTICE \"[^\n]*supplied: NIV\"")
    fail("stand-ins or notice wrong in the header:\n${header}")
  endif()
  execute_process(COMMAND make resources/quillane.rc.res WORKING_DIRECTORY ${build}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(READ ${build}/CMakeFiles/Quillane.dir/resources/quillane.rc.res resources HEX)
  file(READ ${WORK_DIR}/good/verses_150.txt supplied HEX)
  if(NOT status EQUAL 0 OR NOT resources MATCHES "${supplied}")
    fail("the resources do not embed the supplied collection 150:\n${output}")
  endif()
  # The About dialog's notice, in the template's UTF-16.
  string(HEX "supplied: NIV" notice)
  string(REGEX REPLACE "(..)" "\\100" notice "${notice}")
  if(NOT resources MATCHES "${notice}")
    fail("the About notice does not name the supplied text")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures} case(s) failed")
endif()
