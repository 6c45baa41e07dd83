# Installation and the Debian package.
#
# The program reads BrandsPrices.txt and pellory.conf from its own folder, so
# the binary and those files sit together in one folder of their own; a link
# on the PATH, a desktop entry and an icon point at it. The price file and the
# settings are the shop's own: they live with the configuration, and the
# program folder holds links to them, so an upgrade or a second install never
# replaces the staff's prices or settings.
#
#   cmake --install build --prefix /tmp/x    /tmp/x/opt/pellory/pellory
#                                            /tmp/x/opt/pellory/BrandsPrices.txt -> ../../etc/pellory/BrandsPrices.txt
#                                            /tmp/x/etc/pellory/BrandsPrices.txt (only when not already there)
#                                            /tmp/x/opt/pellory/pellory.conf -> ../../etc/pellory/pellory.conf
#                                            /tmp/x/etc/pellory/pellory.conf (only when not already there)
#                                            /tmp/x/bin/pellory -> ../opt/pellory/pellory
#                                            /tmp/x/share/applications, /tmp/x/share/icons, /tmp/x/share/pellory
#                                            /tmp/x/opt/pellory/kiosk-session, /tmp/x/lib/systemd/system/pellory-kiosk.service,
#                                            /tmp/x/etc/pam.d/pellory-kiosk
#   the .deb (prefix /usr)                   /opt/pellory/pellory, /opt/pellory/kiosk-session
#                                            /opt/pellory/BrandsPrices.txt -> /etc/pellory/BrandsPrices.txt
#                                            /opt/pellory/pellory.conf -> /etc/pellory/pellory.conf
#                                            /usr/share/pellory/BrandsPrices.txt and pellory.conf, the samples
#                                            the package's scripts copy into /etc/pellory where no file is yet
#                                            /usr/bin/pellory -> /opt/pellory/pellory
#                                            /lib/systemd/system/pellory-kiosk.service (disabled)
#                                            /etc/pam.d/pellory-kiosk, a conffile
#                                            /usr/share/applications, /usr/share/icons, /usr/share/pellory,
#                                            /usr/share/doc/pellory, /usr/share/man/man1/pellory.1.gz
#
# Links between top-level folders are absolute for the system prefix, as
# Debian policy wants them, and relative under any other prefix, so that the
# whole install moves with its prefix.
#
# Add-on programs with a folder of their own belong in /opt, and their
# configuration in /etc, not under /usr; so for the system prefix /usr the
# folders are /opt/pellory and /etc/pellory, and under any other prefix they
# stay inside the prefix, so that the whole install can be removed with it.
# The choice is made when installing, because the prefix is known only then
# (cmake --install --prefix).

include(GNUInstallDirs)

# The folders themselves come from cmake/program-facts.sh, as the program's.
install(CODE "set(PELLORY_PROGRAM_FOLDER \"${PELLORY_PROGRAM_FOLDER}\")
              set(PELLORY_CONFIGURATION_FOLDER \"${PELLORY_CONFIGURATION_FOLDER}\")")
install(CODE [[
    if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
        set(system_root "")
    else()
        set(system_root "${CMAKE_INSTALL_PREFIX}")
    endif()
    set(PELLORY_PROGRAM_DIR "${system_root}/${PELLORY_PROGRAM_FOLDER}")
    set(PELLORY_CONFIG_DIR "${system_root}/${PELLORY_CONFIGURATION_FOLDER}")
    # Relative to the prefix, as install() destinations are.
    file(RELATIVE_PATH PELLORY_PROGRAM_DESTINATION "${CMAKE_INSTALL_PREFIX}" "${PELLORY_PROGRAM_DIR}")
    # The target a link at `link` names for `target`: absolute for the
    # system prefix, relative under any other.
    function(pellory_link_target result link_dir target)
        if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
            set(${result} "${target}" PARENT_SCOPE)
        else()
            file(RELATIVE_PATH relative "${link_dir}" "${target}")
            set(${result} "${relative}" PARENT_SCOPE)
        endif()
    endfunction()
    # The shop's own file `name` (the prices, the settings): `sample` goes
    # into the configuration folder only where no such file is yet, and the
    # program folder holds a link to it. A file of its own in the program
    # folder is left alone, with a warning, for the program would read it.
    function(pellory_keep_shop_file name sample contents)
        set(staged_file "$ENV{DESTDIR}${PELLORY_CONFIG_DIR}/${name}")
        set(staged_link "$ENV{DESTDIR}${PELLORY_PROGRAM_DIR}/${name}")
        if(EXISTS "${staged_file}" OR IS_SYMLINK "${staged_file}")
            message(STATUS "Keeping: ${staged_file}")
        else()
            file(INSTALL DESTINATION "${PELLORY_CONFIG_DIR}" TYPE FILE FILES "${sample}")
        endif()
        if(NOT IS_SYMLINK "${staged_link}" AND EXISTS "${staged_link}")
            message(WARNING "${staged_link} is a file of its own, and the program reads it rather than "
                            "${staged_file}; move the ${contents} you want into ${staged_file} and delete it.")
        else()
            pellory_link_target(link_target "${PELLORY_PROGRAM_DIR}" "${PELLORY_CONFIG_DIR}/${name}")
            file(CREATE_LINK "${link_target}" "${staged_link}" SYMBOLIC)
            message(STATUS "Installing: ${staged_link} -> ${link_target}")
        endif()
    endfunction()
]])

# The program links only the system's Qt; a run path into the folders around
# /opt/pellory would only let stray libraries in.
set_property(TARGET pellory PROPERTY INSTALL_RPATH "")
install(TARGETS pellory RUNTIME DESTINATION "\${PELLORY_PROGRAM_DESTINATION}")

# The sample price file is installed only where no price file is yet: the one
# there holds the shop's prices. A price file left in the program folder by an
# install that put it there moves to the configuration folder first.
install(CODE "set(PELLORY_SAMPLE_PRICE_FILE \"${PROJECT_SOURCE_DIR}/data/BrandsPrices.txt\")")
install(CODE [[
    set(staged_file "$ENV{DESTDIR}${PELLORY_CONFIG_DIR}/BrandsPrices.txt")
    set(staged_link "$ENV{DESTDIR}${PELLORY_PROGRAM_DIR}/BrandsPrices.txt")
    if(NOT IS_SYMLINK "${staged_link}" AND EXISTS "${staged_link}" AND NOT EXISTS "${staged_file}")
        file(MAKE_DIRECTORY "$ENV{DESTDIR}${PELLORY_CONFIG_DIR}")
        file(RENAME "${staged_link}" "${staged_file}")
        message(STATUS "Moved: ${staged_link} to ${staged_file}")
    endif()
    pellory_keep_shop_file(BrandsPrices.txt "${PELLORY_SAMPLE_PRICE_FILE}" prices)
]])

# The shop's settings, likewise: the sample, every setting in it commented
# out at its default, goes in only where there is no settings file yet, and
# the program folder holds a link to it.
install(CODE "set(PELLORY_SAMPLE_SETTINGS \"${PROJECT_SOURCE_DIR}/data/pellory.conf\")")
install(CODE [[
    pellory_keep_shop_file(pellory.conf "${PELLORY_SAMPLE_SETTINGS}" settings)
]])

# A symbolic link rather than a copy: the program finds its price file beside
# the file it really is, wherever it is started from.
install(CODE [[
    set(link_dir "${CMAKE_INSTALL_PREFIX}/bin")
    pellory_link_target(link_target "${link_dir}" "${PELLORY_PROGRAM_DIR}/pellory")
    file(MAKE_DIRECTORY "$ENV{DESTDIR}${link_dir}")
    file(CREATE_LINK "${link_target}" "$ENV{DESTDIR}${link_dir}/pellory" SYMBOLIC)
    message(STATUS "Installing: $ENV{DESTDIR}${link_dir}/pellory -> ${link_target}")
]])

# The kiosk as a service (see the unit's comments): the session script
# beside the program, the unit where Debian keeps the units packages ship,
# and the login session's PAM stack.
install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/kiosk-session DESTINATION "\${PELLORY_PROGRAM_DESTINATION}")
install(CODE "set(PELLORY_PACKAGING \"${PROJECT_SOURCE_DIR}/packaging\")")
install(CODE [[
    file(INSTALL DESTINATION "${system_root}/lib/systemd/system" TYPE FILE
         FILES "${PELLORY_PACKAGING}/pellory-kiosk.service")
    file(INSTALL DESTINATION "${system_root}/etc/pam.d" TYPE FILE
         FILES "${PELLORY_PACKAGING}/pellory-kiosk.pam" RENAME pellory-kiosk)
]])
# The samples, also where the package's scripts copy them from.
install(FILES ${PROJECT_SOURCE_DIR}/data/BrandsPrices.txt ${PROJECT_SOURCE_DIR}/data/pellory.conf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/pellory)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/pellory.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/pellory.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# An example only: a kiosk account starts the program at log-in with a copy
# of it in ~/.config/autostart. In /etc/xdg/autostart it would start for
# every user who logs in.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/pellory-kiosk.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/pellory)

# The manual page and the package's documents, compressed as Debian wants
# them (gzip -9n: the same bytes on every build).
set(pellory_compressed "${PROJECT_BINARY_DIR}/compressed")
set(pellory_man_page "${pellory_compressed}/pellory.1.gz")
set(pellory_changelog "${pellory_compressed}/changelog.gz")
add_custom_command(OUTPUT "${pellory_man_page}" "${pellory_changelog}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${pellory_compressed}"
    COMMAND gzip -9n -c "${PROJECT_SOURCE_DIR}/packaging/pellory.1" > "${pellory_man_page}"
    COMMAND gzip -9n -c "${PROJECT_SOURCE_DIR}/packaging/debian/changelog" > "${pellory_changelog}"
    DEPENDS "${PROJECT_SOURCE_DIR}/packaging/pellory.1" "${PROJECT_SOURCE_DIR}/packaging/debian/changelog"
    VERBATIM)
add_custom_target(pellory_documents DEPENDS "${pellory_man_page}" "${pellory_changelog}")
add_dependencies(pellory pellory_documents)
install(FILES "${pellory_man_page}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES "${pellory_changelog}" ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
              ${PROJECT_SOURCE_DIR}/docs/staff-guide.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pellory)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME pellory)

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
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; the long
# description must not repeat it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The window a customer uses on the shop floor: pick a brand, tick the\nsneaker items, choose one to five pairs and press Calculate to read the\nprice. Brands and prices come from /${PELLORY_CONFIGURATION_FOLDER}/BrandsPrices.txt, the\nkiosk's settings from /${PELLORY_CONFIGURATION_FOLDER}/pellory.conf; upgrades keep both, and\nonly staff with the shop's own password close the window.")
# dpkg-shlibdeps finds the libraries the program links (libqt6widgets6,
# libqt6gui6, libqt6core6 and the C and C++ runtime) with their versions. What
# it cannot see is named here: the platform plugins, without which Qt opens no
# window at all, and the free face that stands in for Comic Sans MS.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-comic-neue")
# What pellory-kiosk.service runs: cage, which needs Xwayland to start at
# all, and seatd, through which cage opens the screen and the input devices.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cage, xwayland, seatd")
# The price file and the settings are the shop's, not conffiles: dpkg would
# ask about them at an upgrade whenever both the sample and the shop's copy
# changed, and the upgrade from 1.0.0 could not keep the shop's edited prices
# without a question. The package ships the samples in /usr/share/pellory;
# postinst copies them into /etc/pellory only where no file is yet, no
# script ever writes over one that is there, and purge removes them. The
# package stages its files with the samples left out of /etc/pellory.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageStaging.cmake)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/conffiles
    ${PROJECT_SOURCE_DIR}/packaging/debian/preinst
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst
    ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
