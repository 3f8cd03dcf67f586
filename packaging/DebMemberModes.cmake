# Run by CPack once the .deb is made. CPack gives the three members of the package's outer
# archive the permissions their files had on the way, which the umask decided; here each gets
# 0644, as dpkg-deb gives them. An ar member's header is 60 characters, its mode at 40 (8 wide)
# and its size at 48 (10 wide); its data follows, padded to an even length.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    file(SIZE "${package}" package_size)
    set(offset 8) # after "!<arch>\n"
    while(offset LESS package_size)
        file(READ "${package}" header OFFSET ${offset} LIMIT 60)
        string(SUBSTRING "${header}" 40 8 mode)
        string(SUBSTRING "${header}" 48 10 member_size)
        string(STRIP "${member_size}" member_size)
        if(NOT member_size MATCHES "^[0-9]+$")
            message(FATAL_ERROR "${package}: no ar member header at ${offset}")
        endif()
        if(NOT mode STREQUAL "100644  ")
            math(EXPR mode_at "${offset} + 40")
            execute_process(
                COMMAND sh -c "printf '100644  ' | dd of=\"$1\" bs=1 seek=\"$2\" count=8 conv=notrunc status=none"
                        sh "${package}" "${mode_at}"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()
        math(EXPR offset "${offset} + 60 + ${member_size} + ${member_size} % 2")
    endwhile()
endforeach()
