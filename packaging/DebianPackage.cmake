# The Debian package, made by "cpack -G DEB" in a build folder or by the "package" workflow
# preset: tavrel_<version>_<arch>.deb, for /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VENDOR Tavrel)
set(CPACK_PACKAGE_CONTACT "Tavrel <maintainers@tavrel.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.tavrel.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keep a list of things to do on the web as a web page")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavrel List Manager keeps a list of things to do on the web: each item has a
name, a priority of high, medium or low, a description and an optional web
address. From the list it writes one web page, the most urgent items first,
which it can make the browser's start page.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE "${CPACK_TAVREL_ARCHIVE_SETTINGS}")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; Qt loads its window-system plugins itself, so those
# are named here. The fixed layouts look best in DejaVu Sans Condensed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-extra)

include(CPack)
