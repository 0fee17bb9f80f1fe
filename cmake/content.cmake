# The verse texts the build carries. The committed collections are listed in the table of
# resources/verses/README.md, whose rows read
# "| verses_140.txt | 1013 | <name> | <text> (stand-in) |" or "... (real) |": a stand-in
# carries a sample text in place of the translation it is offered as. A distributor who
# holds the licences puts the real texts, as verses_NNN.txt, in QUILLANE_TEXTS_DIR; each
# replaces its committed file. The outcome goes to quillane_texts.h, which the resource
# script (files embedded, About notice) and the card's attribution read.

include(${CMAKE_CURRENT_LIST_DIR}/verse_texts.cmake)

set(QUILLANE_TEXTS_DIR "" CACHE PATH
    "Folder of verses_NNN.txt collections that replace the committed stand-in samples")

# The translation table of the program (content/translation_table.h), one row a line:
# per collection id its code and name, and the short names for the About notice, whose
# one line cannot hold the full ones ("name=short", the stand-in text's among them).
set(QUILLANE_TRANSLATION_TABLE ${CMAKE_CURRENT_LIST_DIR}/../content/translation_table.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUILLANE_TRANSLATION_TABLE})
file(STRINGS ${QUILLANE_TRANSLATION_TABLE} table_rows
     REGEX "^ *(constexpr TranslationEntry [A-Z_]+ = )?\\{[0-9]+, \"")
set(QUILLANE_SHORT_NAMES)
set(QUILLANE_TRANSLATION_IDS)
foreach(row IN LISTS table_rows)
  if(NOT row MATCHES "\\{([0-9]+), \"([^\"]+)\", ([0-9]+), \"[^\"]*\", \"[^\"]+\", \"([^\"]+)\"\\}")
    message(FATAL_ERROR "${QUILLANE_TRANSLATION_TABLE}: cannot read the row \"${row}\"")
  endif()
  list(APPEND QUILLANE_SHORT_NAMES "${CMAKE_MATCH_2}=${CMAKE_MATCH_4}")
  if(CMAKE_MATCH_1 EQUAL 0)
    set(QUILLANE_STAND_IN_TEXT "${CMAKE_MATCH_2}")
  else()
    list(APPEND QUILLANE_TRANSLATION_IDS ${CMAKE_MATCH_3})
    set(QUILLANE_TRANSLATION_CODE_${CMAKE_MATCH_3} ${CMAKE_MATCH_1})
    set(QUILLANE_TRANSLATION_NAME_${CMAKE_MATCH_3} "${CMAKE_MATCH_2}")
  endif()
endforeach()
# The longest notice of short names seen whole in the About dialog.
set(QUILLANE_NOTICE_LIMIT 57)

# Consecutive ids as ranges: "140-146, 148-152".
function(quillane_id_ranges out)
  set(ranges)
  set(first "")
  set(previous "")
  foreach(id IN LISTS ARGN ITEMS 0)  # the trailing 0 closes the last range
    if(NOT first STREQUAL "")
      math(EXPR next "${previous} + 1")
      if(id EQUAL next)
        set(previous ${id})
        continue()
      endif()
      if(first EQUAL previous)
        list(APPEND ranges "${first}")
      else()
        list(APPEND ranges "${first}-${previous}")
      endif()
    endif()
    set(first ${id})
    set(previous ${id})
  endforeach()
  list(JOIN ranges ", " ranges)
  set(${out} "${ranges}" PARENT_SCOPE)
endfunction()

function(quillane_short_name name out)
  set(short "${name}")
  foreach(pair IN LISTS QUILLANE_SHORT_NAMES)
    if(pair MATCHES "^([^=]*)=(.*)$" AND CMAKE_MATCH_1 STREQUAL name)
      set(short "${CMAKE_MATCH_2}")
    endif()
  endforeach()
  set(${out} "${short}" PARENT_SCOPE)
endfunction()

# The About notice: the committed texts (`carried`, full names) in full while nothing is
# supplied, else short names, and the supplied ones counted when they would not fit.
function(quillane_texts_notice out carried supplied_names)
  if(NOT supplied_names)
    list(JOIN carried ", " notice)
    set(${out} "*Texts: public-domain ${notice}" PARENT_SCOPE)
    return()
  endif()
  set(short_carried)
  foreach(name IN LISTS carried)
    quillane_short_name("${name}" short)
    list(APPEND short_carried "${short}")
  endforeach()
  set(parts)
  if(short_carried)
    list(JOIN short_carried ", " part)
    list(APPEND parts "public-domain ${part}")
  endif()
  list(JOIN supplied_names ", " part)
  list(APPEND parts "supplied: ${part}")
  list(JOIN parts "; " notice)
  set(notice "*Texts: ${notice}")
  string(LENGTH "${notice}" length)
  if(length GREATER QUILLANE_NOTICE_LIMIT)
    list(LENGTH supplied_names count)
    list(POP_BACK parts)
    list(APPEND parts "${count} supplied translations")
    list(JOIN parts "; " notice)
    set(notice "*Texts: ${notice}")
  endif()
  set(${out} "${notice}" PARENT_SCOPE)
endfunction()

function(quillane_verse_texts readme texts_dir header)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme})
  file(STRINGS ${readme} rows REGEX "^\\| verses_[0-9]+\\.txt \\|")
  set(ids)
  foreach(row IN LISTS rows)
    if(NOT row MATCHES "^\\| verses_([0-9]+)\\.txt \\| *([0-9]+) *\\| *([^|]*[^ |]) *\\| *([^|]*[^ |]) *\\((stand-in|real)\\) *\\| *$")
      message(FATAL_ERROR "${readme}: a row of the table of collections reads \"${row}\"")
    endif()
    set(id ${CMAKE_MATCH_1})
    list(APPEND ids ${id})
    # The README describes the program's table; it does not make a second one.
    if(NOT "${CMAKE_MATCH_2}|${CMAKE_MATCH_3}" STREQUAL
       "${QUILLANE_TRANSLATION_CODE_${id}}|${QUILLANE_TRANSLATION_NAME_${id}}")
      message(FATAL_ERROR "${readme}: collection ${id} is listed as ${CMAKE_MATCH_2} "
                          "\"${CMAKE_MATCH_3}\"; content/translation_table.h has "
                          "${QUILLANE_TRANSLATION_CODE_${id}} \"${QUILLANE_TRANSLATION_NAME_${id}}\"")
    endif()
    set(name_${id} "${CMAKE_MATCH_3}")
    set(text_${id} "${CMAKE_MATCH_4}")
    set(kind_${id} "${CMAKE_MATCH_5}")
    # The card credits every stand-in to the World English Bible.
    if(CMAKE_MATCH_5 STREQUAL "stand-in" AND NOT CMAKE_MATCH_4 STREQUAL QUILLANE_STAND_IN_TEXT)
      message(FATAL_ERROR "${readme}: stand-in ${id} carries \"${CMAKE_MATCH_4}\"; the card "
                          "credits stand-ins to the ${QUILLANE_STAND_IN_TEXT}")
    endif()
  endforeach()
  # A lost row must not turn a stand-in into a collection credited to its translation.
  list(SORT ids COMPARE NATURAL)
  set(table_ids ${QUILLANE_TRANSLATION_IDS})
  list(SORT table_ids COMPARE NATURAL)
  if(NOT ids STREQUAL table_ids)
    message(FATAL_ERROR "${readme}: the table of collections lists \"${ids}\", "
                        "content/translation_table.h \"${table_ids}\"")
  endif()

  set(supplied)
  if(NOT texts_dir STREQUAL "")
    # The resource script names supplied files by absolute paths with forward slashes.
    file(TO_CMAKE_PATH "${texts_dir}" texts_dir)
    get_filename_component(texts_dir "${texts_dir}" ABSOLUTE)
    if(NOT IS_DIRECTORY "${texts_dir}")
      message(FATAL_ERROR "QUILLANE_TEXTS_DIR: no folder ${texts_dir}")
    endif()
    file(GLOB files CONFIGURE_DEPENDS "${texts_dir}/verses_*.txt")
    foreach(file IN LISTS files)
      get_filename_component(file_name "${file}" NAME)
      string(REGEX MATCH "^verses_([0-9]+)\\.txt$" _ "${file_name}")
      set(id "${CMAKE_MATCH_1}")
      if(NOT id IN_LIST ids)
        message(FATAL_ERROR "${file}: names no collection; collections are "
                            "${QUILLANE_FIRST_COLLECTION} to ${QUILLANE_LAST_COLLECTION}")
      endif()
      if(file MATCHES "\"")
        message(FATAL_ERROR "${file}: the resource script cannot name a path with a quote")
      endif()
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
      quillane_check_verse_file("${file}" fault)
      if(fault)
        message(FATAL_ERROR "${fault}")
      endif()
      list(APPEND supplied ${id})
      set(file_${id} "${file}")
    endforeach()
    list(SORT supplied COMPARE NATURAL)
  endif()

  set(stand_ins)
  set(carried)    # committed texts that stay, by name
  set(supplied_names)
  set(embedded "")
  foreach(id IN LISTS ids)
    if(id IN_LIST supplied)
      quillane_short_name("${name_${id}}" short)
      list(APPEND supplied_names "${short}")
      file(SHA256 "${file_${id}}" digest)
      string(APPEND embedded "// supplied; SHA-256 ${digest}\n"
                             "#define QUILLANE_VERSES_${id} \"${file_${id}}\"\n")
      continue()
    endif()
    if(kind_${id} STREQUAL "stand-in")
      list(APPEND stand_ins ${id})
    endif()
    list(APPEND carried "${text_${id}}")
    string(APPEND embedded "#define QUILLANE_VERSES_${id} \"verses/verses_${id}.txt\"\n")
  endforeach()
  list(REMOVE_DUPLICATES carried)
  list(SORT carried)

  if(stand_ins)
    quillane_id_ranges(ranges ${stand_ins})
    list(LENGTH stand_ins count)
    if(count EQUAL 1)
      set(subject "Verse collection ${ranges} carries")
    else()
      set(subject "Verse collections ${ranges} carry")
    endif()
    message(STATUS "${subject} World English Bible samples in place of licensed texts; "
                   "the card credits them to that Bible (see resources/verses/README.md)")
  endif()
  if(supplied)
    quillane_id_ranges(ranges ${supplied})
    list(JOIN supplied_names ", " names)
    message(STATUS "Verse texts supplied from ${texts_dir}: ${ranges} (${names})")
  elseif(NOT texts_dir STREQUAL "")
    message(WARNING "QUILLANE_TEXTS_DIR: ${texts_dir} holds no verses_NNN.txt")
  endif()

  quillane_texts_notice(notice "${carried}" "${supplied_names}")
  # What a build with every collection supplied shows, for the About dialog's test.
  set(every_supplied)
  foreach(id IN LISTS ids)
    quillane_short_name("${name_${id}}" short)
    list(APPEND every_supplied "${short}")
  endforeach()
  quillane_texts_notice(every_supplied_notice "" "${every_supplied}")

  string(REPLACE ";" ", " stand_in_list "${stand_ins}")
  set(content "// Made at configure time by cmake/content.cmake: the verse texts of this build.
#ifndef QUILLANE_TEXTS_H
#define QUILLANE_TEXTS_H
// Collections that carry World English Bible samples in place of their translation.
#define QUILLANE_STAND_IN_COLLECTIONS ${stand_in_list}
// The About dialog's notice of the texts carried, and the one of a build with every
// collection supplied.
#define QUILLANE_TEXTS_NOTICE \"${notice}\"
#define QUILLANE_TEXTS_NOTICE_EVERY_SUPPLIED \"${every_supplied_notice}\"
// The file each VERSES resource is made from; a supplied one's digest makes the
// resources rebuild when it changes.
${embedded}#endif
")
  file(WRITE ${header}.new "${content}")
  configure_file(${header}.new ${header} COPYONLY)  # rewritten only when it changes
  file(REMOVE ${header}.new)
endfunction()

set(QUILLANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
quillane_verse_texts(${CMAKE_SOURCE_DIR}/resources/verses/README.md "${QUILLANE_TEXTS_DIR}"
                     ${QUILLANE_GENERATED_DIR}/quillane_texts.h)
target_include_directories(quillane_core PUBLIC ${QUILLANE_GENERATED_DIR})
