# Packages made by CPack from the install layout; `cpack -G DEB` gives the Debian package.
set(KALDEROS_PACKAGE_MAINTAINER "kalderos maintainers <maintainers@kalderos.invalid>"
    CACHE STRING "Name <address> written as the packages' maintainer")

set(CPACK_PACKAGE_NAME kalderos)
set(CPACK_PACKAGE_VENDOR "kalderos")
set(CPACK_PACKAGE_CONTACT "${KALDEROS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian shows the description as it is written: lines of at most 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "kalderos judges whether US Social Security Numbers could have been issued,"
  "from the area and group issuance data it carries (areas of 4/2011, highest"
  "groups between the published lists of 7/2007 and 6/2011) or a published"
  "highest-group list, names the state or office of issue, and flags numbers"
  "in the highest group issued for a closer look."
  "With -C it names payment-card types from their leading digits and tests"
  "the Luhn check digit."
  ""
  "The package also holds the checking library (static, with its C++ header,"
  "a CMake package and a pkg-config file) for programs that embed the checks.")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KALDEROS_PACKAGE_MAINTAINER}")
# The program links the C library dynamically and the C++ runtime in (see the top-level CMakeLists.txt: it halves
# the start-up time of a one-number run), so the package depends on libc6 alone; dpkg-shlibdeps (which CPack runs
# with `file`) writes the version it really needs.
find_program(KALDEROS_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(KALDEROS_FILE_COMMAND file)
if(KALDEROS_DPKG_SHLIBDEPS AND KALDEROS_FILE_COMMAND)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
endif()

if(NOT CPACK_GENERATOR)
  set(CPACK_GENERATOR TGZ)
endif()
include(CPack)
