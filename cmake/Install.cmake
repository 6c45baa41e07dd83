# Installation and the Debian package.
#
# The program reads BrandsPrices.txt from its own folder, so the binary and
# the price file are installed together in one folder of their own; a link on
# the PATH, a desktop entry and an icon point at it.
#
#   cmake --install build --prefix /tmp/x    /tmp/x/opt/pellory/{pellory,BrandsPrices.txt}
#                                            /tmp/x/bin/pellory -> ../opt/pellory/pellory
#                                            /tmp/x/share/applications, /tmp/x/share/icons
#   the .deb (prefix /usr)                   /opt/pellory/{pellory,BrandsPrices.txt}
#                                            /usr/bin/pellory -> ../../opt/pellory/pellory
#                                            /usr/share/applications, /usr/share/icons
#
# Add-on programs with a folder of their own belong in /opt, not under /usr,
# so for the system prefix /usr the program folder is /opt/pellory; under any
# other prefix it stays inside the prefix, and the whole install can be
# removed with the prefix. The choice is made when installing, because the
# prefix is known only then (cmake --install --prefix).

include(GNUInstallDirs)

install(CODE [[
    if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
        set(PELLORY_PROGRAM_DIR "/opt/pellory")
    else()
        set(PELLORY_PROGRAM_DIR "${CMAKE_INSTALL_PREFIX}/opt/pellory")
    endif()
    # Relative to the prefix, as install() destinations are.
    file(RELATIVE_PATH PELLORY_PROGRAM_DESTINATION "${CMAKE_INSTALL_PREFIX}" "${PELLORY_PROGRAM_DIR}")
]])

# The program links only the system's Qt; a run path into the folders around
# /opt/pellory would only let stray libraries in.
set_property(TARGET pellory PROPERTY INSTALL_RPATH "")
install(TARGETS pellory RUNTIME DESTINATION "\${PELLORY_PROGRAM_DESTINATION}")
install(FILES ${PROJECT_SOURCE_DIR}/data/BrandsPrices.txt DESTINATION "\${PELLORY_PROGRAM_DESTINATION}")

# A symbolic link rather than a copy: the program finds its price file beside
# the file it really is, wherever it is started from.
install(CODE [[
    set(link_dir "${CMAKE_INSTALL_PREFIX}/bin")
    file(RELATIVE_PATH link_target "${link_dir}" "${PELLORY_PROGRAM_DIR}/pellory")
    file(MAKE_DIRECTORY "$ENV{DESTDIR}${link_dir}")
    file(CREATE_LINK "${link_target}" "$ENV{DESTDIR}${link_dir}/pellory" SYMBOLIC)
    message(STATUS "Installing: $ENV{DESTDIR}${link_dir}/pellory -> ${link_target}")
]])

install(FILES ${PROJECT_SOURCE_DIR}/packaging/pellory.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/pellory.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pellory)
set(CPACK_PACKAGE_VENDOR "The Pellory")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# With DESTDIR the install step sees the package's own prefix /usr (and so
# chooses /opt/pellory) while the files land in CPack's staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Pellory shop-floor team <shopfloor@pellory.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "${PROJECT_DESCRIPTION}\nThe window a customer uses on the shop floor: pick a brand, tick the\nsneaker items, choose one to five pairs and press Calculate to read the\nprice. Brands and prices come from /opt/pellory/BrandsPrices.txt.")
# dpkg-shlibdeps finds the libraries the program links (libqt6widgets6,
# libqt6gui6, libqt6core6 and the C and C++ runtime) with their versions. What
# it cannot see is named here: the platform plugins, without which Qt opens no
# window at all, and the free face that stands in for Comic Sans MS.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-comic-neue")

include(CPack)
