# From the native build: build the fuzz targets in a clang build of their own (fuzz/) and run
# each for a short, bounded time as a test. Every run starts by replaying the committed seeds,
# crash inputs of mended faults included; what it learns goes to the build folder only.
# scripts/fuzz.sh runs the same targets for longer.
find_program(QUORRIN_CLANGXX clang++)
find_program(QUORRIN_CLANG clang)
if(NOT QUORRIN_CLANGXX OR NOT QUORRIN_CLANG)
  message(WARNING "clang not found: the fuzz targets are not built or run")
  return()
endif()

include(ExternalProject)
set(QUORRIN_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(quorrin_fuzz
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${QUORRIN_FUZZ_DIR}
  CMAKE_ARGS -DCMAKE_C_COMPILER=${QUORRIN_CLANG} -DCMAKE_CXX_COMPILER=${QUORRIN_CLANGXX}
             -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORRIN_FUZZ=ON -DQUORRIN_TESTS=OFF
             -DQUORRIN_WINDOWS_BUILDS=OFF
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

# Seconds each target runs under ctest.
set(QUORRIN_FUZZ_TEST_SECONDS 15 CACHE STRING "Seconds each fuzz target runs as a test")
file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source ${FUZZ_TARGET_SOURCES})
  get_filename_component(target ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${target})
  add_test(NAME fuzz.${name}
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fuzz.sh --run ${QUORRIN_FUZZ_DIR}/fuzz/${target}
            ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name} ${QUORRIN_FUZZ_DIR}/runs/${name}
            ${QUORRIN_FUZZ_TEST_SECONDS})
  math(EXPR timeout "${QUORRIN_FUZZ_TEST_SECONDS} * 4 + 60")
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT ${timeout})
endforeach()
