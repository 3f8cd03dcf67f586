# Run by CPack in the staged tree before it packs it. An install makes its folders with the
# umask's permissions, and they become 0755 here. Every entry gets the source's time: CPack
# gives the .deb's and the ZIP's entries that time itself, but the NSIS installer keeps each
# file's own.
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${staged}/*")
set(folders)
foreach(entry IN LISTS entries)
    if(IS_DIRECTORY "${entry}" AND NOT IS_SYMLINK "${entry}")
        list(APPEND folders "${entry}")
    endif()
endforeach()
if(folders)
    file(CHMOD ${folders} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
if(CPACK_TAVREL_SOURCE_DATE_EPOCH)
    execute_process(COMMAND find "${staged}" -exec touch -h -d "@${CPACK_TAVREL_SOURCE_DATE_EPOCH}" {} +
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
