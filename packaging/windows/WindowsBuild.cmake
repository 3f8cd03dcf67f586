# The Windows build's own settings, read once Qt is found and before anything is added: the
# compiler's runtime libraries, and, when built on Linux, the suites run under Wine.

# The compiler's runtime libraries, stripped, as the program ships them.
set(TAVREL_WINDOWS_RUNTIME_DIR "${CMAKE_BINARY_DIR}/windows-runtime")
set(TAVREL_WINDOWS_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT EXISTS "${found}")
        message(FATAL_ERROR "The compiler has no ${dll}")
    endif()
    set(copy "${TAVREL_WINDOWS_RUNTIME_DIR}/${dll}")
    if("${found}" IS_NEWER_THAN "${copy}")
        file(COPY "${found}" DESTINATION "${TAVREL_WINDOWS_RUNTIME_DIR}")
        execute_process(COMMAND "${CMAKE_STRIP}" --strip-unneeded "${copy}" COMMAND_ERROR_IS_FATAL ANY)
    endif()
    list(APPEND TAVREL_WINDOWS_RUNTIME_DLLS "${copy}")
endforeach()

# Qt's folder, above lib/cmake/Qt6.
get_filename_component(TAVREL_WINDOWS_QT_DIR "${Qt6_DIR}/../../.." ABSOLUTE)

# CTest runs each Windows program under Wine, in a Wine prefix of this build folder, finding
# Qt's libraries and the compiler's where they are.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${CMAKE_BINARY_DIR}/wine-prefix;${TAVREL_WINDOWS_QT_DIR}/bin:${TAVREL_WINDOWS_RUNTIME_DIR}")
endif()
