# The manual page shown as the README tells a reader of the sources to show it: man -l FILE, which must render
# it without a warning. Run as: cmake -DMANUAL=<page> -P this file.
find_program(MAN man)
if(NOT MAN)
  # The test's SKIP_REGULAR_EXPRESSION matches this line, so ctest reports the check as skipped, not passed.
  message("man-db is not installed: man -l is not checked")
  return()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env MANPAGER=cat MANWIDTH=80 "${MAN}" -l "${MANUAL}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE shown ERROR_VARIABLE warnings)
if(NOT rc EQUAL 0 OR NOT warnings STREQUAL "" OR NOT shown MATCHES "NAME")
  message(FATAL_ERROR "man -l ${MANUAL} (exit ${rc}):\n${warnings}")
endif()
