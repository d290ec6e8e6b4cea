# From the native build: cross-build the Windows program for x86_64 (with its tests) and
# i686 (program only), and register the tests that run under Wine with this build's ctest,
# so that one ctest run covers everything.
include(ExternalProject)

set(QUORRIN_WIN64_DIR ${CMAKE_BINARY_DIR}/win64)
set(QUORRIN_WIN32_DIR ${CMAKE_BINARY_DIR}/win32)

ExternalProject_Add(quorrin_win64
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${QUORRIN_WIN64_DIR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-x86_64.cmake
             -DCMAKE_BUILD_TYPE=Release -DQUORRIN_TESTS=ON
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

ExternalProject_Add(quorrin_win32
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${QUORRIN_WIN32_DIR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-i686.cmake
             -DCMAKE_BUILD_TYPE=Release -DQUORRIN_TESTS=OFF
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

# The released 1.0.0 (its program only, x86_64), built from this repository's history: the
# installer's end-to-end test updates a running 1.0.0, which names its windows as it did then.
set(QUORRIN_RELEASED_COMMIT d94f2eb)
set(QUORRIN_RELEASED_DIR ${CMAKE_BINARY_DIR}/release-1.0.0)
execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} cat-file -e ${QUORRIN_RELEASED_COMMIT}^{commit}
                RESULT_VARIABLE released_commit_missing OUTPUT_QUIET ERROR_QUIET)
set(QUORRIN_RELEASED_BIN ${QUORRIN_RELEASED_DIR}/build/bin)
if(released_commit_missing)
  # A shallow clone: the installer's test says it skips the update over 1.0.0.
  message(WARNING "commit ${QUORRIN_RELEASED_COMMIT} (1.0.0) is not in this clone: "
                  "e2e.installer_test cannot update a running 1.0.0")
  set(QUORRIN_RELEASED_BIN "")
else()
  ExternalProject_Add(quorrin_released
    SOURCE_DIR ${QUORRIN_RELEASED_DIR}/src
    BINARY_DIR ${QUORRIN_RELEASED_DIR}/build
    DOWNLOAD_COMMAND sh -c "git -C '${PROJECT_SOURCE_DIR}' archive ${QUORRIN_RELEASED_COMMIT} | tar -x -C '${QUORRIN_RELEASED_DIR}/src'"
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${QUORRIN_RELEASED_DIR}/src/cmake/toolchain-mingw-x86_64.cmake
               -DCMAKE_BUILD_TYPE=Release -DQUORRIN_TESTS=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target Quorrin
    INSTALL_COMMAND "")
endif()

# The release files (zips, installer) made from the two builds above, without building again;
# the installer's end-to-end test installs and removes the setup.exe from here.
set(QUORRIN_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
add_test(NAME package.release_files
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/package.sh
          --from-builds ${QUORRIN_WIN64_DIR}/bin ${QUORRIN_WIN32_DIR}/bin --out ${QUORRIN_DIST_DIR})
set_tests_properties(package.release_files PROPERTIES FIXTURES_SETUP dist TIMEOUT 300)

# The same commit packaged again from a copy of the sources in another folder, built there
# from scratch (no compiler cache), gives the same bytes in every release file.
add_test(NAME package.reproducible
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/reproducible_test.sh
          ${QUORRIN_DIST_DIR} ${QUORRIN_WIN64_DIR}/bin ${QUORRIN_WIN32_DIR}/bin
          ${CMAKE_BINARY_DIR}/reproducible)
set_tests_properties(package.reproducible PROPERTIES FIXTURES_REQUIRED dist TIMEOUT 2400)

set(WINE_STATE ${CMAKE_BINARY_DIR}/wine-state)
set(WINE_RUN ${PROJECT_SOURCE_DIR}/tests/wine/wine-run.sh ${WINE_STATE})

add_test(NAME wine.start COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/wine-env.sh start ${WINE_STATE})
add_test(NAME wine.stop COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/wine-env.sh stop ${WINE_STATE})
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine RESOURCE_LOCK wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine RESOURCE_LOCK wine)

# add_wine_test(NAME command args...): one test run inside the Wine environment.
# The windows and the prefix are shared, so Wine tests run one at a time.
function(add_wine_test name)
  add_test(NAME ${name} COMMAND ${WINE_RUN} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 900
    ENVIRONMENT "QUORRIN_BIN=${QUORRIN_WIN64_DIR}/bin;QUORRIN_RELEASED_BIN=${QUORRIN_RELEASED_BIN};QUORRIN_BIN32=${QUORRIN_WIN32_DIR}/bin;QUORRIN_TEST_BIN=${QUORRIN_WIN64_DIR}/tests;QUORRIN_SOURCE=${PROJECT_SOURCE_DIR};QUORRIN_DIST=${QUORRIN_DIST_DIR}")
endfunction()

# Win32 test programs (GoogleTest inside), one ctest test each.
file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*_test.cpp)
foreach(source ${WIN32_TEST_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_wine_test(win32.${name} wine ${QUORRIN_WIN64_DIR}/tests/${name}.exe)
endforeach()

# End-to-end scripts: the real Quorrin.exe under Wine.
file(GLOB E2E_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*_test.sh)
foreach(script ${E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  add_wine_test(e2e.${name} bash ${script})
endforeach()
set_property(TEST e2e.installer_test APPEND PROPERTY FIXTURES_REQUIRED dist)
