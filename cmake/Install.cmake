# Installation and the Debian package.
#
#   cmake --install build --prefix /usr/local      (or DESTDIR=... for a staged install)
#   cd build && cpack -G DEB                        (velmora_<version>_<arch>.deb)
#
# The programs go to bin/; the installation's Program.ini to share/velmora/, where the programs
# look for it from their own folder as ../share/velmora/Program.ini. Users who cannot write it
# keep their own copy under $XDG_CONFIG_HOME/velmora/ (see app/ConfigLocation.h).
include(GNUInstallDirs)

install(TARGETS velmora velmora-cli velmora-radio-sim
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The programs find share/velmora from bin/ by that relative path; other layouts would break it.
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
    message(WARNING "The programs look for ../share/velmora/Program.ini beside their own folder; "
                    "CMAKE_INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR} and "
                    "CMAKE_INSTALL_DATADIR=${CMAKE_INSTALL_DATADIR} will not be found that way.")
endif()

install(FILES ${CMAKE_SOURCE_DIR}/config/Program.ini
        DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)

set(_packaging ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${_packaging}/velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_packaging}/org.velmora.Velmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(_size 32 48 128 256)
    install(FILES ${_packaging}/icons/velmora-${_size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
            RENAME velmora.png)
endforeach()
install(FILES ${_packaging}/icons/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# udev reads /usr/lib/udev/rules.d (and /etc/udev/rules.d), not /usr/local: with another
# prefix the rule lands beside the rest and has to be copied by hand.
install(FILES ${_packaging}/60-velmora-serial.rules
        DESTINATION lib/udev/rules.d)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming software for a handheld two-way FM radio")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Reads the radio's 8192-byte memory over a serial programming cable, edits its 200 "
    "channels and option settings, writes it back, keeps it in files and prints it, in "
    "English or Chinese. Includes the command-line tool velmora-cli and the virtual radio "
    "velmora-radio-sim.")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <velmora@velmora.example.org>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmora.example.org/")
# The Qt libraries and the C++ runtime, as the programs really link them; Qt's own words in
# Chinese (buttons, file and print dialogs), which no library link brings; the fonts the printed
# pages and the Chinese texts are drawn with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
include(CPack)
