# Install layout, in three components that the Debian build makes three packages of: the program with its
# manual page, the published highest-group lists and the licences (program); the shared checking library
# (library); and what a program that embeds the checks is built with: the header, the shared library's link,
# the static library, a CMake package, a pkg-config file and kalderos(3) (development). A build with the Python
# module has a fourth, python (python/CMakeLists.txt), the package python3-kalderos.

# On a multiarch system (Debian) the library and its .pc file go below lib/<triplet>, under any prefix: pkg-config
# and CMake search there, and a package for one architecture must not claim lib/ for all of them.
if(NOT WIN32 AND CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CMAKE_INSTALL_LIBDIR)
  set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}" CACHE PATH "Object code libraries (lib)")
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS kalderos RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
install(FILES data/ssa-high-group/november_2003_raw.txt data/ssa-high-group/july_2007_raw.txt
  data/ssa-high-group/june_24_2011_raw.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/kalderos COMPONENT program)

# Each component's documentation folder holds the licences in the machine-readable form Debian reads, and the
# changelog; named after the Debian package of the component.
set(KALDEROS_LIBRARY_PACKAGE libkalderos${PROJECT_VERSION_MAJOR})
set(_doc_dirs program ${CMAKE_INSTALL_DOCDIR})
if(NOT WIN32)
  list(APPEND _doc_dirs library ${CMAKE_INSTALL_DATAROOTDIR}/doc/${KALDEROS_LIBRARY_PACKAGE}
                        development ${CMAKE_INSTALL_DATAROOTDIR}/doc/libkalderos-dev)
endif()
if(KALDEROS_BUILD_PYTHON)
  list(APPEND _doc_dirs python ${CMAKE_INSTALL_DATAROOTDIR}/doc/python3-kalderos)
endif()
function(kalderos_install_docs)
  set(_pairs ${_doc_dirs})
  while(_pairs)
    list(POP_FRONT _pairs _component _dir)
    install(FILES ${ARGN} DESTINATION ${_dir} COMPONENT ${_component})
  endwhile()
endfunction()
kalderos_install_docs(packaging/debian/copyright)

# The manual page and the changelog compressed as Debian wants them (every man reads a gzip-compressed page);
# -n keeps name and time out of the gzip header, so the files are the same from build to build.
find_program(KALDEROS_GZIP gzip)
if(KALDEROS_GZIP)
  set(_compressed ${CMAKE_CURRENT_BINARY_DIR}/compressed)
  add_custom_command(OUTPUT ${_compressed}/kalderos.1.gz ${_compressed}/kalderos.3.gz ${_compressed}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/man/kalderos.1 ${CMAKE_CURRENT_SOURCE_DIR}/man/kalderos.3
            ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/changelog ${_compressed}
    COMMAND ${KALDEROS_GZIP} -9nf ${_compressed}/kalderos.1 ${_compressed}/kalderos.3 ${_compressed}/changelog
    DEPENDS man/kalderos.1 man/kalderos.3 packaging/debian/changelog VERBATIM)
  add_custom_target(kalderos_compressed_docs ALL
    DEPENDS ${_compressed}/kalderos.1.gz ${_compressed}/kalderos.3.gz ${_compressed}/changelog.gz)
  install(FILES ${_compressed}/kalderos.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  install(FILES ${_compressed}/kalderos.3.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT development)
  kalderos_install_docs(${_compressed}/changelog.gz)
else()
  install(FILES man/kalderos.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  install(FILES man/kalderos.3 DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT development)
  kalderos_install_docs(packaging/debian/changelog)
endif()

# Consumers name the static library kalderos::core and the shared one kalderos::shared, in the build tree (the
# aliases) and installed alike; both are libkalderos, as a linker's -lkalderos finds them.
set_target_properties(kalderos_core PROPERTIES EXPORT_NAME core OUTPUT_NAME kalderos)
install(TARGETS kalderos_core EXPORT kalderosTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
if(NOT WIN32)
  set_target_properties(kalderos_shared PROPERTIES EXPORT_NAME shared)
  install(TARGETS kalderos_shared EXPORT kalderosTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_COMPONENT development)
endif()
install(FILES include/kalderos/kalderos.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kalderos COMPONENT development)

set(_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/kalderos)
install(EXPORT kalderosTargets NAMESPACE kalderos:: DESTINATION ${_cmake_dir} COMPONENT development)
configure_package_config_file(cmake/kalderosConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/kalderosConfig.cmake
  INSTALL_DESTINATION ${_cmake_dir})
# Until a second major version exists, any 1.x satisfies a request for 1.y with y <= x.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/kalderosConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kalderosConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/kalderosConfigVersion.cmake
  DESTINATION ${_cmake_dir} COMPONENT development)

# The .pc file finds its prefix from where it lies, so that `cmake --install --prefix` anywhere and the Debian
# package under /usr both give working paths.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(KALDEROS_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH _up "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
  string(REGEX REPLACE "/$" "" _up "${_up}")
  set(KALDEROS_PC_PREFIX "\${pcfiledir}/${_up}")
endif()
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_LIBDIR BASE_DIRECTORY "\${prefix}" OUTPUT_VARIABLE KALDEROS_PC_LIBDIR)
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_INCLUDEDIR BASE_DIRECTORY "\${prefix}" OUTPUT_VARIABLE KALDEROS_PC_INCLUDEDIR)
configure_file(cmake/kalderos.pc.in ${CMAKE_CURRENT_BINARY_DIR}/kalderos.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kalderos.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
