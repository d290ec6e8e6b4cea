# GoogleTest for the test programs: the installed package where there is one for this
# target (natively), otherwise built from Debian's source package (the mingw builds).
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(QUORRIN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build when no package is found")
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUORRIN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own sources are not held to the project's warnings-as-errors.
  foreach(target gtest gtest_main)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
  endforeach()
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()
