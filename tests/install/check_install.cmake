# Installs the build into a fresh prefix and builds a project of its own against it (MODE cmake), or builds the
# same project against that prefix through pkg-config (MODE pkg-config, after the first), each against the static
# and, where there is one, the shared library; every build must print what the library computes for a known
# number and card, and the list example of kalderos(3) what its page says. The shared library must export the
# public interface alone.
#
# Run with cmake -P and these variables: MODE, BUILD_DIR, BUILD_CONFIG, WORK_DIR, CONSUMER_DIR, CXX_COMPILER,
# GENERATOR, BINDIR, LIBDIR, INCLUDEDIR, MANDIR, DATADIR, DOCDIR (the install directories relative to the
# prefix), MAN_PAGE and LIBRARY_MAN_PAGE (the pages' installed file names), EXE_SUFFIX, SHARED (whether the
# build has a shared library), and LINK_FLAGS (what a program linking this build's library needs besides it;
# usually empty).

set(expected_consumer "SSN: 123-96-0001   New York              VALID=YES  CONFIRM\nVISA 1\n123-45-6789 valid ok 1 2011-06\n2221000000000009 MasterCard pass\n")
file(READ "${CONSUMER_DIR}/list.expected" expected_list)
set(expected_program "\nSSN: 123-45-6789   New York              VALID=NO\n")

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

# Runs a command that must succeed; its standard output lands in `out_var`.
function(run out_var)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    list(JOIN ARGN " " command)
    fail("command failed (${rc}): ${command}\n${out}\n${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

function(expect_output what actual expected)
  if(NOT actual STREQUAL expected)
    fail("${what} printed\n[${actual}]\ninstead of\n[${expected}]")
  endif()
endfunction()

set(prefix "${WORK_DIR}/prefix")
if(MODE STREQUAL "pkg-config")
  include("${CMAKE_CURRENT_LIST_DIR}/check_pkg_config.cmake")
  return()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
if(BUILD_CONFIG)
  set(config_args --config "${BUILD_CONFIG}")
endif()
run(ignored "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}" ${config_args})

# The layout a user and a packager rely on; the program's internal library stays out of it.
foreach(path IN ITEMS
    "${BINDIR}/kalderos${EXE_SUFFIX}"
    "${MANDIR}/man1/${MAN_PAGE}"
    "${MANDIR}/man3/${LIBRARY_MAN_PAGE}"
    "${DATADIR}/kalderos/june_24_2011_raw.txt"
    "${DOCDIR}/copyright"
    "${INCLUDEDIR}/kalderos/kalderos.h"
    "${LIBDIR}/cmake/kalderos/kalderosConfig.cmake"
    "${LIBDIR}/cmake/kalderos/kalderosConfigVersion.cmake"
    "${LIBDIR}/cmake/kalderos/kalderosTargets.cmake"
    "${LIBDIR}/pkgconfig/kalderos.pc")
  if(NOT EXISTS "${prefix}/${path}")
    fail("not installed: ${path}")
  endif()
endforeach()
file(GLOB core_library "${prefix}/${LIBDIR}/libkalderos.a" "${prefix}/${LIBDIR}/kalderos.lib")
if(NOT core_library)
  fail("the static library is not installed in ${LIBDIR}")
endif()
if(SHARED)
  foreach(path IN ITEMS libkalderos.so libkalderos.so.1)
    if(NOT EXISTS "${prefix}/${LIBDIR}/${path}")
      fail("not installed: ${LIBDIR}/${path}")
    endif()
  endforeach()
  # Every symbol the shared library exports is a name of the public header, none of the layers below it.
  find_program(NM nm)
  find_program(CXXFILT c++filt)
  if(NM AND CXXFILT)
    run(symbols "${NM}" -D --defined-only "${prefix}/${LIBDIR}/libkalderos.so.1")
    string(REGEX MATCHALL "[^\n]+" symbols "${symbols}")
    foreach(line IN LISTS symbols)
      string(REGEX REPLACE "^.* " "" mangled "${line}")
      run(name "${CXXFILT}" "${mangled}")
      if(NOT name MATCHES "^kalderos::[A-Z]" OR name MATCHES "^kalderos::(ssn|card|bytes|record|detail)::")
        fail("the shared library exports ${name}")
      endif()
    endforeach()
  endif()
endif()
file(GLOB_RECURSE internal "${prefix}/*kalderos_program*")
if(internal)
  fail("the program's internal library was installed: ${internal}")
endif()

run(program_output "${prefix}/${BINDIR}/kalderos${EXE_SUFFIX}" 123-45-6789)
expect_output("the installed program" "${program_output}" "${expected_program}")

# Through the CMake package, with the package registry out of the way so that only this prefix can answer.
set(consumer_build "${WORK_DIR}/consumer-cmake")
run(ignored "${CMAKE_COMMAND}" -S "${CONSUMER_DIR}" -B "${consumer_build}" -G "${GENERATOR}"
    "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_PREFIX_PATH=${prefix}" -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF
    "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}")
file(STRINGS "${consumer_build}/CMakeCache.txt" found_dir REGEX "^kalderos_DIR:")
if(NOT found_dir MATCHES "=${prefix}/")
  fail("the consumer found the package elsewhere: ${found_dir}")
endif()
run(ignored "${CMAKE_COMMAND}" --build "${consumer_build}" --config Release)
file(GLOB_RECURSE consumer_program "${consumer_build}/consumer${EXE_SUFFIX}")
if(NOT consumer_program)
  fail("the CMake consumer was not built")
endif()
list(GET consumer_program 0 consumer_program)
run(consumer_output "${consumer_program}")
expect_output("the CMake consumer" "${consumer_output}" "${expected_consumer}")
file(READ "${consumer_program}" bytes HEX)
string(HEX "libkalderos.so" shared_name)
string(FIND "${bytes}" "${shared_name}" at)
if(NOT at EQUAL -1)
  fail("the consumer of kalderos::core needs the shared library")
endif()

if(SHARED)
  foreach(name IN ITEMS consumer_shared check_list)
    file(GLOB_RECURSE program "${consumer_build}/${name}${EXE_SUFFIX}")
    if(NOT program)
      fail("the CMake consumer ${name} was not built")
    endif()
    file(READ "${program}" bytes HEX)
    string(HEX "libkalderos.so.1" soname)
    string(FIND "${bytes}" "${soname}" at)
    if(at EQUAL -1)
      fail("${name} does not need libkalderos.so.1")
    endif()
    set(program_${name} "${program}")
  endforeach()
  run(consumer_output "${program_consumer_shared}")
  expect_output("the CMake consumer of the shared library" "${consumer_output}" "${expected_consumer}")
  run(list_output "${program_check_list}" INPUT_FILE "${CONSUMER_DIR}/list.txt")
  expect_output("the list example" "${list_output}" "${expected_list}")
endif()
