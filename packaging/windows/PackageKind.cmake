# Read by CPack once per package kind: the portable folder moves the pictures beside the program.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PRE_BUILD_SCRIPTS "${CPACK_TAVREL_PICTURES_TO_PROGRAM}")
endif()
