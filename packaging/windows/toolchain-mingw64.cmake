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

# Qt's build tools (moc, uic, rcc) run on the host, from its own Qt 6 under QT_HOST_PATH, whose
# CMake packages are wherever that Qt keeps its libraries (a multiarch folder on Debian): asked
# of the host Qt itself.
if(QT_HOST_PATH AND NOT QT_HOST_PATH_CMAKE_DIR)
    execute_process(COMMAND "${QT_HOST_PATH}/bin/qtpaths6" --query QT_INSTALL_LIBS
                    OUTPUT_VARIABLE host_qt_libs OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    set(QT_HOST_PATH_CMAKE_DIR "${host_qt_libs}/cmake" CACHE PATH "The host Qt's CMake packages")
endif()
