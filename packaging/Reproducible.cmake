# The same source makes the same bytes, wherever and whenever it is built.
#
# One time reaches what the build writes: SOURCE_DATE_EPOCH when it is set, the last commit's
# time otherwise, settled here once. Each tool that writes a time gets it the way it reads it,
# and no other tool is handed it: rcc for the resources' file times (assets/), the Windows
# linker for the programs' headers (below), strip and CPack for the packages, through the
# environment of configuring and of CPack (ArchiveSettings.cmake). The compilers get none: a
# __DATE__ or __TIME__ in the code fails the build.

# No path of this machine: the compiler writes the source and build folders, in __FILE__ and in
# the debugging records, as ".". The build folder comes last, so that it wins when it lies
# inside the source folder.
add_compile_options(
    "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
    "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=.>"
    "$<$<COMPILE_LANGUAGE:CXX>:-Werror=date-time>")

# What CPack reads before each package to keep the build machine out of the archives.
set(CPACK_TAVREL_ARCHIVE_SETTINGS "${CMAKE_CURRENT_LIST_DIR}/ArchiveSettings.cmake")

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(TAVREL_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    find_package(Git QUIET)
    if(GIT_EXECUTABLE)
        execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
                        WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                        OUTPUT_VARIABLE TAVREL_SOURCE_DATE_EPOCH
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
endif()
if(NOT TAVREL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(WARNING "Neither SOURCE_DATE_EPOCH nor a git commit gives the source's time; "
                    "the build's own times will reach what it makes.")
    unset(TAVREL_SOURCE_DATE_EPOCH)
    return()
endif()
# For the tools that configuring runs (strip, on the Windows build's runtime libraries).
set(ENV{SOURCE_DATE_EPOCH} "${TAVREL_SOURCE_DATE_EPOCH}")
# The Windows linker writes a time into each program and library it makes, and takes it from
# SOURCE_DATE_EPOCH; no option of its own sets one.
if(WIN32)
    set(CMAKE_CXX_LINKER_LAUNCHER
        "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${TAVREL_SOURCE_DATE_EPOCH}")
endif()
set(CPACK_TAVREL_SOURCE_DATE_EPOCH "${TAVREL_SOURCE_DATE_EPOCH}")
