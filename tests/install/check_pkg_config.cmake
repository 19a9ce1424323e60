# The MODE pkg-config half of check_install.cmake (which defines the helpers and the prefix it uses): the
# consumer built through pkg-config, the way a Makefile would build it; C++17 is all the header asks for.
find_program(PKG_CONFIG NAMES pkg-config pkgconf)
if(NOT PKG_CONFIG)
  # The test's SKIP_REGULAR_EXPRESSION matches this line, so ctest reports the check as skipped, not passed.
  message("pkg-config is not installed: the pkg-config consumer is not checked")
  return()
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${prefix}/${LIBDIR}/pkgconfig")
unset(ENV{PKG_CONFIG_PATH})
run(version "${PKG_CONFIG}" --modversion kalderos)
string(STRIP "${version}" version)
if(NOT version MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  fail("pkg-config gives the version [${version}]")
endif()
run(flags "${PKG_CONFIG}" --cflags --libs kalderos)
separate_arguments(flags UNIX_COMMAND "${flags} ${LINK_FLAGS}")
set(pc_program "${WORK_DIR}/consumer-pkg-config${EXE_SUFFIX}")
run(ignored "${CXX_COMPILER}" -std=c++17 -Wall -Wextra -Wpedantic -Werror "${CONSUMER_DIR}/main.cpp" ${flags}
    -o "${pc_program}")
run(pc_output "${pc_program}")
expect_output("the pkg-config consumer" "${pc_output}" "${expected_consumer}")
