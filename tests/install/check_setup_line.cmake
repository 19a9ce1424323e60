# The README's first line sets up a fresh Debian machine: it installs the packages of the tools the tests use and
# the README's own commands run, so that no test skips itself there and every command shown works.
# Run as: cmake -DREADME=<repo>/README.md -P this file.
cmake_minimum_required(VERSION 3.25)
set(packages
  pkgconf      # pkg-config, the library's .pc file
  groff-base   # groff, the manual pages
  man-db       # man -l man/kalderos.1
  tmux         # the screen captures
  parallel     # the pipeline tests
  python3)
file(STRINGS "${README}" setup REGEX "^    apt-get update && apt-get install -y ")
list(GET setup 0 line)
string(REPLACE " " ";" words "${line}")
foreach(package IN LISTS packages)
  if(NOT package IN_LIST words)
    list(APPEND missing "${package}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "the README's first line does not install: ${missing}")
endif()
