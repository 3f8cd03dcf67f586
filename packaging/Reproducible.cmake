# The same source makes the same bytes, wherever and whenever it is built.
#
# One time reaches what the build writes: SOURCE_DATE_EPOCH when it is set, the last commit's
# time otherwise, settled here once. Every tool that writes a time and honours that variable
# gets it: rcc for the resources' file times, the compilers' __DATE__, the Windows linker and
# strip for the programs' headers, and CPack for the archives (see ArchiveSettings.cmake).

# No path of this machine: the compiler writes the source and build folders, in __FILE__ and in
# the debugging records, as ".". The build folder comes last, so that it wins when it lies
# inside the source folder.
add_compile_options(
    "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
    "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=.>")

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
    return()
endif()
# For the tools configuring runs, and, through the launchers, for those the build runs.
set(ENV{SOURCE_DATE_EPOCH} "${TAVREL_SOURCE_DATE_EPOCH}")
set(source_date_launcher "\"${CMAKE_COMMAND}\" -E env SOURCE_DATE_EPOCH=${TAVREL_SOURCE_DATE_EPOCH}")
foreach(rule RULE_LAUNCH_COMPILE RULE_LAUNCH_LINK RULE_LAUNCH_CUSTOM)
    set_property(GLOBAL PROPERTY ${rule} "${source_date_launcher}")
endforeach()
set(CPACK_TAVREL_SOURCE_DATE_EPOCH "${TAVREL_SOURCE_DATE_EPOCH}")
