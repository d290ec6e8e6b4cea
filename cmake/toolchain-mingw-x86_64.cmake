# Cross build of the Windows program with mingw-w64 for x86_64.
set(QUORRIN_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
