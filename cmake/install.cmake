# Install layout: the program and its manual page, and the checking library with its header, a CMake package
# and a pkg-config file, so that other projects can link kalderos::core.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS kalderos RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES man/kalderos.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Consumers name the library kalderos::core, in the build tree (the alias) and installed alike.
set_target_properties(kalderos_core PROPERTIES EXPORT_NAME core)
install(TARGETS kalderos_core EXPORT kalderosTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES include/kalderos/kalderos.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kalderos)

set(_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/kalderos)
install(EXPORT kalderosTargets NAMESPACE kalderos:: DESTINATION ${_cmake_dir})
configure_package_config_file(cmake/kalderosConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/kalderosConfig.cmake
  INSTALL_DESTINATION ${_cmake_dir})
# Until a second major version exists, any 1.x satisfies a request for 1.y with y <= x.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/kalderosConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kalderosConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/kalderosConfigVersion.cmake
  DESTINATION ${_cmake_dir})

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
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kalderos.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
