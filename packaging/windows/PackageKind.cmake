# Read by CPack once per package kind: the portable folder moves the pictures beside the program.
include("${CPACK_TAVREL_ARCHIVE_SETTINGS}")
if(CPACK_GENERATOR STREQUAL "ZIP")
    list(APPEND CPACK_PRE_BUILD_SCRIPTS "${CPACK_TAVREL_PICTURES_TO_PROGRAM}")
endif()
