# Checks a verse collection that a distributor supplies in place of a committed one, so
# that a faulty file stops the build instead of showing the user a broken card.
#
#   cmake -DVERSE_FILE=<file> -P cmake/verse_texts.cmake
#
# stops with "<file>:<line>: <fault>" for the first fault; the build calls
# quillane_check_verse_file on each supplied file.

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
  # The program holds a line with its CR in 4,096 bytes, one of them the terminating zero.
  set(limit 4095)
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
    # A three-byte UTF-8 sequence (curly quotes, dashes, the byte-order mark) is next to
    # impossible in Windows-1252 text and the usual sign of a file saved as UTF-8.
    fail_on_bytes(" (e[0-9a-f] [89ab][0-9a-f] [89ab][0-9a-f])"
                  "bytes @ are UTF-8; the text must be Windows-1252")
    if(length GREATER limit)
      set(${result} "${where} ${length} bytes; a line holds at most ${limit} with its CR"
          PARENT_SCOPE)
      return()
    endif()
    math(EXPR odd "${number} % 2")
    if(NOT odd AND NOT line MATCHES " 3a")
      set(${result} "${where} the reference has no colon (book chapter:verses)" PARENT_SCOPE)
      return()
    endif()
    # The program ends a collection at a passage shorter than 4 bytes with its CR.
    string(LENGTH "${line}" kept)
    if(odd AND kept LESS 9)
      set(${result} "${where} a passage of fewer than 3 characters ends the collection there"
          PARENT_SCOPE)
      return()
    endif()
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
