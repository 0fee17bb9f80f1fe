# Checks a verse collection that a distributor supplies in place of a committed one, so
# that a faulty file stops the build instead of showing the user a broken card.
#
#   cmake -DVERSE_FILE=<file> -P cmake/verse_texts.cmake
#
# stops with "<file>:<line>: <fault>" for the first fault; the build calls
# quillane_check_verse_file on each supplied file.

include(${CMAKE_CURRENT_LIST_DIR}/card_fonts.cmake)

# Sets `out` to the number a program header gives `name` in a row
# "constexpr TYPE NAME = N;" or "#define NAME N".
function(quillane_header_number header name out)
  get_filename_component(path "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../${header}" ABSOLUTE)
  file(STRINGS "${path}" rows REGEX "(constexpr [a-z:_ ]+ ${name} = [0-9]+;|#define ${name} [0-9]+)$")
  if(NOT rows MATCHES "${name} =? ?([0-9]+)")
    message(FATAL_ERROR "${path}: no number for ${name}")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

# The card's random generator draws 0 to RANDOM_MAX: pairs past that many are never shown.
quillane_header_number(core/random.h RANDOM_MAX random_max)
math(EXPR QUILLANE_MOST_PAIRS "${random_max} + 1")
# The program holds a line with its CR in VERSE_CAPACITY bytes, one the terminating zero.
quillane_header_number(core/app_state.h VERSE_CAPACITY verse_capacity)
math(EXPR QUILLANE_LONGEST_LINE "${verse_capacity} - 1")
# The program ends a collection at a passage shorter than this, its CR included.
quillane_header_number(content/verse_collection.h MIN_TEXT_LINE_BYTES QUILLANE_SHORTEST_PASSAGE)
quillane_header_number(resources/resource_ids.h IDR_FIRST_VERSES QUILLANE_FIRST_COLLECTION)
quillane_header_number(resources/resource_ids.h IDR_LAST_VERSES QUILLANE_LAST_COLLECTION)

# Sets `lines` to how many lines of the card the passage `line` (" xx" per byte) takes at
# the scale `dpi`, broken at blanks as the card breaks it; a word wider than the card is
# broken between its characters, as DrawText breaks it.
function(quillane_passage_lines line dpi lines)
  set(widths ${QUILLANE_VERSE_WIDTHS_${dpi}})
  set(room ${QUILLANE_TEXT_WIDTH_${dpi}})
  set(count 1)
  set(width 0)      # of the line so far, its trailing blanks left out
  set(pending 0)    # the blanks after it
  set(word "")      # the advances of the word's characters
  set(word_width 0)
  string(APPEND line " 20")  # a blank ends the last word
  string(REGEX MATCHALL "[0-9a-f][0-9a-f]" bytes "${line}")
  foreach(byte IN LISTS bytes)
    math(EXPR code "0x${byte}")
    list(GET widths ${code} advance)
    if(NOT byte STREQUAL "20")
      list(APPEND word ${advance})
      math(EXPR word_width "${word_width} + ${advance}")
      continue()
    endif()
    if(word_width GREATER 0)
      math(EXPR wide "${width} + ${pending} + ${word_width}")
      if(width GREATER 0 AND wide GREATER room)
        math(EXPR count "${count} + 1")
        set(wide ${word_width})
      endif()
      if(wide GREATER room)
        # On a line of its own and still too wide: as many characters a line as fit.
        set(wide 0)
        foreach(part IN LISTS word)
          math(EXPR next "${wide} + ${part}")
          if(wide GREATER 0 AND next GREATER room)
            math(EXPR count "${count} + 1")
            set(next ${part})
          endif()
          set(wide ${next})
        endforeach()
      endif()
      set(width ${wide})
      set(pending 0)
      set(word "")
      set(word_width 0)
    endif()
    math(EXPR pending "${pending} + ${advance}")
  endforeach()
  set(${lines} ${count} PARENT_SCOPE)
endfunction()

# Sets `fault` to "" for a reference line that the card shows on one line at every scale
# and the lookup reads whole, or to what is wrong with it.
function(quillane_reference_fault line fault)
  set(text "")
  string(REGEX MATCHALL "[0-9a-f][0-9a-f]" bytes "${line}")
  foreach(byte IN LISTS bytes)
    math(EXPR code "0x${byte}")
    if(code GREATER 126)
      # The lookup sends the book name to the site as it is, which expects UTF-8.
      set(${fault} "byte 0x${byte} in the reference; references are ASCII" PARENT_SCOPE)
      return()
    endif()
    string(ASCII ${code} character)
    string(APPEND text "${character}")
  endforeach()
  if(NOT text MATCHES "^[A-Za-z0-9]+( [A-Za-z0-9]+)* [0-9]+:[0-9]([0-9, -]*[0-9])?$")
    set(${fault} "\"${text}\" is no reference (book chapter:verses, the verses of digits, \
',', '-' and blanks)" PARENT_SCOPE)
    return()
  endif()
  foreach(dpi IN LISTS QUILLANE_CARD_SCALES)
    set(width 0)
    foreach(byte IN LISTS bytes)
      math(EXPR code "0x${byte}")
      list(GET QUILLANE_REFERENCE_WIDTHS_${dpi} ${code} advance)
      math(EXPR width "${width} + ${advance}")
    endforeach()
    if(width GREATER QUILLANE_TEXT_WIDTH_${dpi})
      set(${fault} "the reference is ${width} pixels wide at ${dpi} DPI; one line of the card \
holds ${QUILLANE_TEXT_WIDTH_${dpi}}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${fault} "" PARENT_SCOPE)
endfunction()

# In quillane_check_verse_file: ends the check with "<where> <fault>" when `line` matches
# `pattern`, "@" in the fault standing for the bytes of its group.
macro(fail_on_bytes pattern fault)
  if(line MATCHES "${pattern}")
    string(REPLACE "@" "${CMAKE_MATCH_1}" matched_fault "${fault}")
    set(${result} "${where} ${matched_fault}" PARENT_SCOPE)
    return()
  endif()
endmacro()

# Sets `result` to "" for a good file, or to "<file>:<line>: <fault>" for its first fault.
function(quillane_check_verse_file file result)
  cmake_policy(SET CMP0007 NEW)  # empty lines stay list elements
  set(limit ${QUILLANE_LONGEST_LINE})
  file(READ "${file}" hex HEX)
  # One " xx" per byte, so that a pattern can only match whole bytes; then one list
  # element per line, split at LF.
  string(REGEX REPLACE "(..)" " \\1" bytes "${hex}")
  string(REPLACE " 0a" ";" lines "${bytes}")
  list(LENGTH lines count)
  set(terminated OFF)
  if("${bytes}" MATCHES " 0a$")
    set(terminated ON)
    math(EXPR count "${count} - 1")  # nothing after the last line end
  endif()
  math(EXPR most_lines "${QUILLANE_MOST_PAIRS} * 2")
  if(count GREATER most_lines)
    math(EXPR number "${most_lines} + 1")
    set(${result} "${file}:${number}: more than ${QUILLANE_MOST_PAIRS} pairs; the card never \
draws those after that many" PARENT_SCOPE)
    return()
  endif()
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(number GREATER count)
      break()
    endif()
    set(where "${file}:${number}:")
    string(LENGTH "${line}" length)
    math(EXPR length "${length} / 3")
    if(number LESS count OR terminated)
      if(NOT line MATCHES " 0d$")
        set(${result} "${where} the line ends in LF without CR; lines end in CR LF" PARENT_SCOPE)
        return()
      endif()
      string(REGEX REPLACE " 0d$" "" line "${line}")
    endif()
    fail_on_bytes("( 0d)" "CR without LF; lines end in CR LF")
    fail_on_bytes(" (0[0-9a-f]|1[0-9a-f]|7f)" "control byte 0x@; the text must be printable")
    fail_on_bytes(" (81|8d|8f|90|9d)" "byte 0x@ is not Windows-1252 text")
    # A UTF-8 sequence (accented letters, no-break spaces, curly quotes, dashes, the
    # byte-order mark) is next to impossible in Windows-1252 text and the usual sign of a
    # file saved as UTF-8: the card would show "Ã©" for "é".
    fail_on_bytes(" ((c[2-9a-f]|d[0-9a-f]) [89ab][0-9a-f])" "bytes @ are UTF-8; the text must be Windows-1252")
    fail_on_bytes(" (e[0-9a-f] [89ab][0-9a-f] [89ab][0-9a-f])"
                  "bytes @ are UTF-8; the text must be Windows-1252")
    if(length GREATER limit)
      set(${result} "${where} ${length} bytes; a line holds at most ${limit} with its CR"
          PARENT_SCOPE)
      return()
    endif()
    math(EXPR odd "${number} % 2")
    if(NOT odd)
      quillane_reference_fault("${line}" fault)
      if(fault)
        set(${result} "${where} ${fault}" PARENT_SCOPE)
        return()
      endif()
      continue()
    endif()
    string(LENGTH "${line}" kept)
    math(EXPR kept "${kept} / 3 + 1")  # its bytes with the CR
    if(kept LESS QUILLANE_SHORTEST_PASSAGE)
      math(EXPR fewest "${QUILLANE_SHORTEST_PASSAGE} - 1")
      set(${result} "${where} a passage of fewer than ${fewest} characters ends the collection \
there" PARENT_SCOPE)
      return()
    endif()
    # The card draws the passage from its top down to the reference, at every scale.
    foreach(dpi IN LISTS QUILLANE_CARD_SCALES)
      quillane_passage_lines("${line}" ${dpi} taken)
      if(taken GREATER QUILLANE_PASSAGE_LINES_${dpi})
        set(${result} "${where} the passage takes ${taken} lines of the card at ${dpi} DPI; \
${QUILLANE_PASSAGE_LINES_${dpi}} fit above the reference" PARENT_SCOPE)
        return()
      endif()
    endforeach()
  endforeach()

  math(EXPR odd "${count} % 2")
  if("${hex}" STREQUAL "")
    set(${result} "${file}:1: empty; a collection holds at least one pair of lines"
        PARENT_SCOPE)
  elseif(odd)
    set(${result} "${file}:${count}: the last passage has no reference line" PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT DEFINED VERSE_FILE)
    message(FATAL_ERROR "usage: cmake -DVERSE_FILE=<file> -P ${CMAKE_CURRENT_LIST_FILE}")
  endif()
  quillane_check_verse_file("${VERSE_FILE}" fault)
  if(fault)
    message(FATAL_ERROR "${fault}")
  endif()
endif()
