# The Debian package (cpack -G DEB in the build folder): sartovin_<version>_amd64.deb with the two
# programs and their names, the data templates, the udev rules, the Inkscape extensions, the desktop
# entry with its icon and AppStream data, the manual page and the shell completion. The libraries
# it needs are found by dpkg-shlibdeps from the programs themselves.

install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/desktop/org.sartovin.Sartovin.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/man/sartovin.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/completion/sartovin
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sartovin)
set(CPACK_PACKAGE_VENDOR "Sartovin")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cut drawings on vinyl cutters, hobby cutters and laser engravers")
set(CPACK_PACKAGE_DESCRIPTION
    "Sartovin takes a drawing from Inkscape or an SVG file, lays it out on the medium and sends it to a
cutting plotter over USB, a serial line or a CUPS queue. It comes with a window program, a
command-line program and Inkscape extensions (Extensions > Sartovin).")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Sartovin developers <sartovin@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "inkscape (>= 1.0), cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/postinst
                                       ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The build carries debug information; the package does not.
set(CPACK_STRIP_FILES ON)
include(CPack)
