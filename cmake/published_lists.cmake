# The published highest-group lists as a C++ header, made at configure time from the files in
# data/ssa-high-group/, so that the program carries them and a cross build needs no program of its own to run.
# A file that does not read as expected stops the configuration rather than give wrong dates.
#
# kalderos_generate_published_lists(<output header> <list file>...): the list files in the order of their dates.

# Reads one list: its month as YYYY-MM (from the heading "AS OF m/d/yy") into <out_month>, and 1000 highest
# groups, one per area 000-999 and 0 where the list names none, into <out_groups>.
function(_kalderos_read_published_list file out_month out_groups)
  file(READ "${file}" _text)
  # CR LF or LF; a semicolon would split CMake's list of lines, and no list holds one.
  string(REPLACE "\r" "" _text "${_text}")
  if(_text MATCHES ";")
    message(FATAL_ERROR "${file}: a semicolon where none was expected")
  endif()
  string(REPLACE "\n" ";" _lines "${_text}")

  set(_month "")
  set(_previous -1)
  foreach(_area RANGE 999)
    set(_group_${_area} 0)
  endforeach()
  foreach(_line IN LISTS _lines)
    if(_line MATCHES "AS OF ([0-9][0-9]?)/[0-9][0-9]?/([0-9][0-9])")
      if(NOT _month STREQUAL "")
        message(FATAL_ERROR "${file}: a second heading date")
      endif()
      set(_year "20${CMAKE_MATCH_2}")
      set(_month_number "${CMAKE_MATCH_1}")
      if(_month_number MATCHES "^[0-9]$")
        set(_month_number "0${_month_number}")
      endif()
      set(_month "${_year}-${_month_number}")
    endif()
    if(NOT _line MATCHES "^[0-9][0-9][0-9][ \t]")
      # Prose: digits only in dates, so that no pair can hide in it.
      string(REGEX REPLACE "[0-9]+/[0-9]+/[0-9]+" "" _undated "${_line}")
      if(_undated MATCHES "[0-9]")
        message(FATAL_ERROR "${file}: digits outside the pairs in \"${_line}\"")
      endif()
      continue()
    endif()
    # Pairs "area group", a '*' glued to a group that changed that month, blanks and tabs between.
    set(_rest "${_line}")
    while(_rest MATCHES "^[ \t]*([0-9][0-9][0-9])[ \t]+([0-9][0-9])\\*?")
      # A leading 1 keeps "08" and "09" decimal.
      math(EXPR _area "1${CMAKE_MATCH_1} - 1000")
      math(EXPR _group "1${CMAKE_MATCH_2} - 100")
      string(LENGTH "${CMAKE_MATCH_0}" _taken)
      string(SUBSTRING "${_rest}" ${_taken} -1 _rest)
      if(_area LESS_EQUAL _previous)
        message(FATAL_ERROR "${file}: area ${_area} out of ascending order")
      endif()
      set(_previous ${_area})
      set(_group_${_area} ${_group})
    endwhile()
    if(NOT _rest MATCHES "^[ \t]*$")
      message(FATAL_ERROR "${file}: \"${_rest}\" is not an area and group in \"${_line}\"")
    endif()
  endforeach()
  if(_month STREQUAL "")
    message(FATAL_ERROR "${file}: no heading \"AS OF m/d/yy\"")
  endif()
  if(_previous EQUAL -1)
    message(FATAL_ERROR "${file}: no area and group")
  endif()

  set(_groups "")
  foreach(_area RANGE 999)
    list(APPEND _groups ${_group_${_area}})
  endforeach()
  set(${out_month} "${_month}" PARENT_SCOPE)
  set(${out_groups} "${_groups}" PARENT_SCOPE)
endfunction()

# 1000 groups as rows of 20 for the header.
function(_kalderos_format_groups groups out_text)
  set(_text "")
  set(_row "")
  set(_count 0)
  foreach(_group IN LISTS groups)
    string(APPEND _row " ${_group},")
    math(EXPR _count "${_count} + 1")
    if(_count EQUAL 20)
      string(APPEND _text "       ${_row}\n")
      set(_row "")
      set(_count 0)
    endif()
  endforeach()
  set(${out_text} "${_text}" PARENT_SCOPE)
endfunction()

function(kalderos_generate_published_lists output)
  set(_entries "")
  set(_previous_month "")
  set(_count 0)
  foreach(_file IN LISTS ARGN)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_file}")
    _kalderos_read_published_list("${_file}" _month _groups)
    if(NOT _month STRGREATER _previous_month)
      message(FATAL_ERROR "${_file}: ${_month} does not come after ${_previous_month}")
    endif()
    set(_previous_month "${_month}")
    _kalderos_format_groups("${_groups}" _rows)
    get_filename_component(_name "${_file}" NAME)
    string(APPEND _entries "    // ${_name}\n    {\"${_month}\", {{\n${_rows}    }}},\n")
    math(EXPR _count "${_count} + 1")
  endforeach()

  set(_header "// The published highest-group lists, made by cmake/published_lists.cmake from data/ssa-high-group/.
// Do not edit: change the lists and configure again.
#pragma once

#include \"ssn/published_list.h\"

namespace kalderos::ssn {

inline constexpr std::array<PublishedList, ${_count}> kPublishedLists{{
${_entries}}};

}  // namespace kalderos::ssn
")
  # Written only when it changes, so that configuring again rebuilds nothing.
  file(WRITE "${output}.new" "${_header}")
  configure_file("${output}.new" "${output}" COPYONLY)
  file(REMOVE "${output}.new")
endfunction()
