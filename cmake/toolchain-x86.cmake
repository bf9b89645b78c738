# The shipped flavour: 32-bit Windows (i686), POSIX-thread mingw compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOLVANE_TRIPLE i686-w64-mingw32)
set(TOLVANE_ARCH x86)
set(TOLVANE_FLAVOUR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Double precision as written: x87's extended precision turns 29 / 100 * 100
# into 29 and a flattened 127 into 126. SSE2 doubles behave as on x86-64.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
