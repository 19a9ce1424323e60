# Formats the manual page as man(1) would and fails on any warning groff gives about it.
#
# Run with cmake -P and MANUAL set to the page's path.
find_program(GROFF groff)
if(NOT GROFF)
  message("groff is not installed: manual page not checked")
  return()
endif()
execute_process(COMMAND "${GROFF}" -man -Tutf8 -ww "${MANUAL}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings)
if(NOT rc EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff -man -Tutf8 -ww ${MANUAL} (exit ${rc}):\n${warnings}")
endif()
if(rendered STREQUAL "")
  message(FATAL_ERROR "groff rendered nothing from ${MANUAL}")
endif()
