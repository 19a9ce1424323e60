# Packages made by CPack from the install layout; `cpack -G DEB` gives the three Debian packages: kalderos (the
# program), libkalderos1 (the shared library) and libkalderos-dev (what a program that embeds the checks is
# built with), from the install components program, library and development.
set(KALDEROS_PACKAGE_MAINTAINER "kalderos maintainers <maintainers@kalderos.invalid>"
    CACHE STRING "Name <address> written as the packages' maintainer")

set(CPACK_PACKAGE_NAME kalderos)
set(CPACK_PACKAGE_VENDOR "kalderos")
set(CPACK_PACKAGE_CONTACT "${KALDEROS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cmake/cpack_project.cmake)
# Debian shows the descriptions as they are written: lines of at most 80 columns.
set(_about
  "kalderos judges whether US Social Security Numbers could have been issued,"
  "from the area and group issuance data it carries (areas of 4/2011, highest"
  "groups between the published lists of 7/2007 and 6/2011) or a published"
  "highest-group list, names the state or office of issue, and flags numbers"
  "in the highest group issued for a closer look."
  "With -C it names payment-card types from their leading digits and tests"
  "the Luhn check digit.")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION ${_about})
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KALDEROS_PACKAGE_MAINTAINER}")
# The program links the C library dynamically and the C++ runtime in (see the top-level CMakeLists.txt: it halves
# the start-up time of a one-number run), so its package depends on libc6 alone; the shared library depends on
# the C++ runtime as well. dpkg-shlibdeps (which CPack runs with `file`) writes the versions they really need.
find_program(KALDEROS_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(KALDEROS_FILE_COMMAND file)
if(KALDEROS_DPKG_SHLIBDEPS AND KALDEROS_FILE_COMMAND)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "libc6")
  set(CPACK_DEBIAN_LIBRARY_PACKAGE_DEPENDS "libc6, libstdc++6")
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program library development)
if(KALDEROS_BUILD_PYTHON)
  list(APPEND CPACK_COMPONENTS_ALL python)
endif()
set(CPACK_COMPONENTS_GROUPING IGNORE)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME kalderos)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION "${PROJECT_DESCRIPTION}\n${CPACK_PACKAGE_DESCRIPTION}")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${KALDEROS_LIBRARY_PACKAGE})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# The shlibs file tells packages built against the library which package and version they need. It is written
# here for this package, the one that holds a shared library, as dh_makeshlibs writes one for a library's package
# alone: CPack's own (CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS) looks at every package's shared objects and warns of
# the Python module, an extension module without a soname, which no package links against. The dynamic linker's
# cache is updated by dpkg's ldconfig trigger, as Debian wants, rather than by the maintainer scripts CPack would
# write, which are therefore given, doing nothing.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/packaging/libkalderos1/shlibs
  CONTENT "libkalderos ${PROJECT_VERSION_MAJOR} ${KALDEROS_LIBRARY_PACKAGE} (= ${PROJECT_VERSION})\n")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/libkalderos1/postinst
  ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/libkalderos1/postrm ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/libkalderos1/triggers
  ${CMAKE_CURRENT_BINARY_DIR}/packaging/libkalderos1/shlibs)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_STRICT_PERMISSION ON)
string(JOIN "\n" _library_description "SSN and payment-card checking library (shared library)" ${_about} ""
  "This package holds the shared library, libkalderos.so.1, that gives other"
  "programs every answer the kalderos program's records give.")
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION "${_library_description}")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libkalderos-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${KALDEROS_LIBRARY_PACKAGE} (= ${PROJECT_VERSION})")
string(JOIN "\n" _development_description "SSN and payment-card checking library (development files)" ${_about} ""
  "This package holds what a program that embeds the checks is built with: the"
  "C++ header, the link to the shared library, the static library, a CMake"
  "package, a pkg-config file and the manual page kalderos(3).")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "${_development_description}")

# The Python module, which holds its own copy of the library: the C and C++ run-times (dpkg-shlibdeps) and Debian's
# python3 are all it needs. pandas is imported only by the frame functions and Dask only by the user's own code
# and the example, which its documentation folder holds.
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-kalderos)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3 (>= ${KALDEROS_PYTHON_VERSION}~), python3 (<< ${KALDEROS_PYTHON_NEXT_VERSION})")
set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS "python3-pandas")
set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-dask, python3-distributed")
string(JOIN "\n" _python_description "SSN and payment-card checking library (Python 3 module)" ${_about} ""
  "This package holds the Python module kalderos: every answer of the program's"
  "records for one text, a list of texts, or a pandas column (ssn_frame,"
  "card_frame, or a Series' accessor .kalderos), and the same over the"
  "partitions of a Dask Series, with an example that checks the SSN column of"
  "CSV files on a Dask cluster. It holds its own copy of the library: python3"
  "and the C and C++ runtimes are all it needs; frames need python3-pandas.")
set(CPACK_COMPONENT_PYTHON_DESCRIPTION "${_python_description}")

if(NOT CPACK_GENERATOR)
  set(CPACK_GENERATOR TGZ)
endif()
include(CPack)
