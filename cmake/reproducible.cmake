# A release anyone can rebuild byte for byte: GNU ld writes the PE header's link time
# (and the checksum over it) from SOURCE_DATE_EPOCH when that is set, else from the
# clock. The time is SOURCE_DATE_EPOCH as configured, else the last commit's, else
# 1980-01-01; the program relinks when it changes. The one rule of the release's time:
#   cmake -P cmake/reproducible.cmake
# prints it for the installer's file times and the archive's entries.

get_filename_component(QUILLANE_CHECKOUT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

function(quillane_source_date_epoch out)
  if(DEFINED ENV{SOURCE_DATE_EPOCH} AND "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    set(${out} "$ENV{SOURCE_DATE_EPOCH}" PARENT_SCOPE)
    return()
  endif()
  set(epoch 315532800)  # 1980-01-01, the earliest time a zip entry can hold
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                    WORKING_DIRECTORY ${QUILLANE_CHECKOUT}
                    RESULT_VARIABLE status OUTPUT_VARIABLE commit_time ERROR_QUIET
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
      set(epoch ${commit_time})
      # A commit or checkout writes HEAD's log: configure again to take its time.
      execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --path-format=absolute
                              --git-path logs/HEAD
                      WORKING_DIRECTORY ${QUILLANE_CHECKOUT}
                      OUTPUT_VARIABLE head_log ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(EXISTS "${head_log}" AND NOT CMAKE_SCRIPT_MODE_FILE)
        set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                     "${head_log}")
      endif()
    endif()
  endif()
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()

function(quillane_reproducible_link target)
  if(MSVC)
    target_link_options(${target} PRIVATE /Brepro)
    return()
  endif()
  quillane_source_date_epoch(epoch)
  set(stamp ${CMAKE_BINARY_DIR}/generated/source_date_epoch.txt)
  file(WRITE ${stamp}.new "${epoch}\n")
  configure_file(${stamp}.new ${stamp} COPYONLY)  # rewritten only when it changes
  file(REMOVE ${stamp}.new)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${stamp})
  set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
               ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch})
  message(STATUS "Link time of ${target}: ${epoch} (SOURCE_DATE_EPOCH)")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  quillane_source_date_epoch(epoch)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${epoch}")
endif()
