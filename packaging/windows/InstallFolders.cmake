# Where a Windows install puts things, read before Qt's packages settle the install folders.
# What the program loads stands beside it, in the folder it is installed to; the page's pictures
# go to share\tavrel below it, so that the program tells an install from a folder unpacked by
# hand as it does on Linux.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "The program and its libraries")
# An install from a Linux host goes to a folder of the build; the installer picks the real place.
if(CMAKE_HOST_UNIX AND CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "${CMAKE_BINARY_DIR}/install" CACHE PATH "Install folder" FORCE)
endif()
