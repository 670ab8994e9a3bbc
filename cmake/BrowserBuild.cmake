# The browser's program (vortelle.js, vortelle.wasm in this build's folder), made by a
# configuration of the same tree without threads in browser/ below this build: its objects and
# libraries can't be the threaded ones. Its libraries come from `scripts/web-libs.sh FOLDER
# --no-threads`; without them there is no vortelle_browser target, and the page says that the
# game is not there.
set(VORTELLE_BROWSER_LIBS "${PROJECT_SOURCE_DIR}/build/web-libs-browser/prefix" CACHE PATH
  "The libraries built without threads for the browser's program")
if(NOT EXISTS "${VORTELLE_BROWSER_LIBS}/lib/pkgconfig/harfbuzz.pc")
  message(STATUS "No libraries without threads in ${VORTELLE_BROWSER_LIBS}: no browser program")
  return()
endif()
set(browser_build ${CMAKE_BINARY_DIR}/browser)
# make's jobs don't reach a build started from a custom command: it gets as many of its own.
cmake_host_system_information(RESULT browser_jobs QUERY NUMBER_OF_LOGICAL_CORES)
add_custom_target(vortelle_browser
  COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_LIBDIR=${VORTELLE_BROWSER_LIBS}/lib/pkgconfig
    ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${browser_build} -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DCMAKE_FIND_ROOT_PATH=${VORTELLE_BROWSER_LIBS}
    -DCMAKE_PREFIX_PATH=${VORTELLE_BROWSER_LIBS} -DVORTELLE_HOST_BUILD=${VORTELLE_HOST_BUILD}
    -DVORTELLE_WEB_THREADS=OFF -DVORTELLE_BROWSER_OUT=${CMAKE_BINARY_DIR}
  COMMAND ${CMAKE_COMMAND} --build ${browser_build} --target vortelle_browser --parallel ${browser_jobs}
  BYPRODUCTS ${CMAKE_BINARY_DIR}/vortelle.js ${CMAKE_BINARY_DIR}/vortelle.wasm
  COMMENT "Building the browser's program"
  USES_TERMINAL)
