# Qt's build tools (moc, uic, rcc) run on the host, from its own Qt 6 under QT_HOST_PATH, whose
# CMake packages are wherever that Qt keeps its libraries (a multiarch folder on Debian): asked
# of the host Qt itself. Not in the toolchain file, whose text is part of the key of the cached
# Qt for Windows, which needs no such question.
if(QT_HOST_PATH AND NOT QT_HOST_PATH_CMAKE_DIR)
    execute_process(COMMAND "${QT_HOST_PATH}/bin/qtpaths6" --query QT_INSTALL_LIBS
                    OUTPUT_VARIABLE host_qt_libs OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    set(QT_HOST_PATH_CMAKE_DIR "${host_qt_libs}/cmake" CACHE PATH "The host Qt's CMake packages")
endif()
