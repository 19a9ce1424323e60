# Installs the build into a fresh prefix and builds a project of its own against it (MODE cmake), or builds the
# same project against that prefix through pkg-config (MODE pkg-config, after the first); both must print what
# the library computes for a known number and card.
#
# Run with cmake -P and these variables: MODE, BUILD_DIR, BUILD_CONFIG, WORK_DIR, CONSUMER_DIR, CXX_COMPILER,
# GENERATOR, BINDIR, LIBDIR, INCLUDEDIR, MANDIR, DATADIR, DOCDIR (the install directories relative to the
# prefix), MAN_PAGE (the page's installed file name), EXE_SUFFIX, and LINK_FLAGS (what a program linking this
# build's library needs besides it; usually empty).

set(expected_consumer "SSN: 123-96-0001   New York              VALID=YES  CONFIRM\nVISA 1\n")
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
file(GLOB core_library "${prefix}/${LIBDIR}/*kalderos_core*")
if(NOT core_library)
  fail("the kalderos_core library is not installed in ${LIBDIR}")
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
