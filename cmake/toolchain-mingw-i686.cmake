# Cross build of the Windows program with mingw-w64 for i686.
set(QUORRIN_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
