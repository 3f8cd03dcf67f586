# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 in its POSIX-threads flavour, whose
# C++ runtime has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVREL_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot and the prefixes on CMAKE_PREFIX_PATH (the
# cross-built Qt); programs from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TAVREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
