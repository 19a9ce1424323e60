# The npm package and the page (web/) beside a native build: a build of their own under Emscripten's emcmake, in
# the folder wasm/ of this build, made with it, so that the tests have them (tests/CMakeLists.txt). A machine
# without Emscripten, Node.js or npm fails here, never skips them.
find_program(KALDEROS_EMCMAKE emcmake)
find_program(KALDEROS_NODE NAMES node nodejs)
find_program(KALDEROS_NPM npm)
foreach(_tool KALDEROS_EMCMAKE:emscripten KALDEROS_NODE:nodejs KALDEROS_NPM:npm)
  string(REPLACE ":" ";" _tool "${_tool}")
  list(GET _tool 0 _variable)
  list(GET _tool 1 _package)
  if(NOT ${_variable})
    message(FATAL_ERROR "KALDEROS_BUILD_WEB needs ${_package} (apt-get install ${_package})")
  endif()
endforeach()

include(ExternalProject)
set(KALDEROS_WEB_BUILD_DIR ${CMAKE_BINARY_DIR}/wasm)
# The sub-build's own folders, as web/CMakeLists.txt makes them: the package's and the page's files, and the tarball.
set(KALDEROS_WEB_DIST ${KALDEROS_WEB_BUILD_DIR}/web/dist)
set(KALDEROS_WEB_TARBALL ${KALDEROS_WEB_BUILD_DIR}/web/kalderos-${PROJECT_VERSION}.tgz)
ExternalProject_Add(kalderos_web_build
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${KALDEROS_WEB_BUILD_DIR}
  CONFIGURE_COMMAND ${KALDEROS_EMCMAKE} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR> -DKALDEROS_BUILD_WEB=ON
    -DCMAKE_BUILD_TYPE=Release
  # The default build command: under make, a recursive make that shares the build's jobs. The sub-build knows
  # its own sources' changes.
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${KALDEROS_WEB_TARBALL})
