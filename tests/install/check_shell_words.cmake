# A command the README shows in the prose, as `kalderos --delimiter=';'`, must run as shown when pasted into a
# shell: an option's value that begins with a character the shell acts on (; | & < > ( ) $) is quoted.
# Run as: cmake -DREADME=<repo>/README.md -P this file.
file(READ "${README}" readme)
# A semicolon would part CMake's list of matches.
string(REPLACE ";" "<semicolon>" readme "${readme}")
string(REGEX MATCHALL "`[^`\n]*--[a-z-]+=[|&<>()$][^`\n]*`" unquoted "${readme}")
if(unquoted)
  list(JOIN unquoted "\n" report)
  message(FATAL_ERROR "README.md shows option values a shell would take apart:\n${report}")
endif()
