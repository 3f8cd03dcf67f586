# Run by CPack in the staged tree before it packs it. An install makes its folders with the
# umask's permissions; here they all become 0755. CMake's own setting for this,
# CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS, hands its mode to mkdir, which the umask still
# cuts: with umask 077 the folders come out 0700 all the same.
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${staged}/*")
set(folders "${staged}")
foreach(entry IN LISTS entries)
    if(IS_DIRECTORY "${entry}" AND NOT IS_SYMLINK "${entry}")
        list(APPEND folders "${entry}")
    endif()
endforeach()
file(CHMOD ${folders} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
