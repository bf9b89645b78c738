# The shipped flavour: 32-bit Windows (i686), POSIX-thread mingw compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOLVANE_TRIPLE i686-w64-mingw32)
set(TOLVANE_ARCH x86)
set(TOLVANE_FLAVOUR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
