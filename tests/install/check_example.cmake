# The list example stands in kalderos(3) and in the README as tests/consumer/check_list.cpp holds it, with the
# output tests/consumer/list.expected holds: the page's text unescaped, the README's indented by four blanks.
# Run as: cmake -DSOURCE_DIR=<repo> -P this file.
file(READ "${SOURCE_DIR}/tests/consumer/check_list.cpp" program)
file(READ "${SOURCE_DIR}/tests/consumer/list.expected" output)
file(READ "${SOURCE_DIR}/man/kalderos.3" page)
file(READ "${SOURCE_DIR}/README.md" readme)

# groff's escapes in the page's examples: a backslash, a dash, a quote, and the zero-width mark before a dot.
string(REPLACE "\\e" "\\" page "${page}")
string(REPLACE "\\-" "-" page "${page}")
string(REPLACE "\\(aq" "'" page "${page}")
string(REPLACE "\\&" "" page "${page}")

function(indented text out_var)
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" "\n    " text "    ${text}")
  string(REGEX REPLACE "\n    \n" "\n\n" text "${text}")
  string(REGEX REPLACE "\n    \n" "\n\n" text "${text}")
  set(${out_var} "${text}\n" PARENT_SCOPE)
endfunction()

set(faults "")
foreach(what IN ITEMS program output)
  string(FIND "${page}" "${${what}}" at)
  if(at EQUAL -1)
    list(APPEND faults "man/kalderos.3 does not show the example's ${what}")
  endif()
  indented("${${what}}" block)
  string(FIND "${readme}" "${block}" at)
  if(at EQUAL -1)
    list(APPEND faults "README.md does not show the example's ${what}")
  endif()
endforeach()
if(faults)
  list(JOIN faults "\n" report)
  message(FATAL_ERROR "${report}")
endif()
