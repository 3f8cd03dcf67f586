# Run by CPack in the staged portable folder: the pictures go from share\tavrel to the program's
# side, and share\ goes.
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(GLOB pictures "${staged}/${CPACK_TAVREL_PICTUREDIR}/*.gif")
if(NOT pictures)
    message(FATAL_ERROR "No pictures in ${staged}/${CPACK_TAVREL_PICTUREDIR}")
endif()
file(COPY ${pictures} DESTINATION "${staged}")
string(REGEX REPLACE "/.*" "" top "${CPACK_TAVREL_PICTUREDIR}")
file(REMOVE_RECURSE "${staged}/${top}")
