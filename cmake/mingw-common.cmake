set(CMAKE_C_COMPILER ${TOLVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOLVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOLVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOLVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Only system DLLs at run time: the C++ runtime and winpthread go in statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
