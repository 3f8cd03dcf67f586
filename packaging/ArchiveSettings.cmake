# Read by CPack before it makes each package, so that the archives hold nothing of the machine
# that made them. CPack itself gives every entry the time in SOURCE_DATE_EPOCH, the .deb's
# entries the owner root:root, and both the .deb and the ZIP a sorted order; the scripts named
# here do what it has no setting for.
if(CPACK_TAVREL_SOURCE_DATE_EPOCH)
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_TAVREL_SOURCE_DATE_EPOCH}")
endif()
# A ZIP entry keeps its time a second way too, in the local time of the machine.
set(ENV{TZ} UTC)
# The NSIS installer would keep each file's time, and some of the files CPack writes itself as it
# packs; it keeps none, and an install gets the time it happens.
if(CPACK_GENERATOR STREQUAL "NSIS")
    string(APPEND CPACK_NSIS_DEFINES "\nSetDateSave off")
endif()
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/StagedTree.cmake")
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/DebMemberModes.cmake")
endif()
