# The x86-64 twin of the shipped installer: same sources, runs on wine64 here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TOLVANE_TRIPLE x86_64-w64-mingw32)
set(TOLVANE_ARCH amd64)
set(TOLVANE_FLAVOUR x64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
