# SPDX-License-Identifier: GPL-2.0-or-later
# How the program installs (FHS): the executables in bin/, the shipped data
# tree under share/kestrel-talon/ (never written: each user works in a copy),
# the desktop entry, AppStream metainfo, icons, manual page, and the udev rule
# where udev reads it.
include(GNUInstallDirs)
set(TALON_DATA_DIR ${CMAKE_INSTALL_DATADIR}/kestrel-talon)

option(TALON_INSTALL_STRIP "Strip the executables when installing" ON)
set(TALON_UDEV_RULES_DIR "" CACHE PATH
    "Folder of the udev rule (default: /usr/lib/udev/rules.d for the prefix /usr, else /etc/udev/rules.d)")
# A distribution package may install the rule with its own tools.
option(TALON_INSTALL_UDEV_RULE "Install the udev rule" ON)
# A distribution package states the licence in its own way.
option(TALON_INSTALL_LICENSE "Install the licence beside the README" ON)

if(TALON_INSTALL_STRIP)
    install(CODE "set(CMAKE_INSTALL_DO_STRIP TRUE)")
endif()
install(TARGETS kestrel-talon talonctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY modules DESTINATION ${TALON_DATA_DIR})
# Made by the build: the tray icon and the data stamp.
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/modules/img/logo.ico DESTINATION ${TALON_DATA_DIR}/modules/img)
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/modules/VERSION DESTINATION ${TALON_DATA_DIR}/modules)

# The prefix is known for sure only when installing (cmake --install --prefix).
if(TALON_INSTALL_UDEV_RULE)
    install(CODE "
        # file(INSTALL) puts DESTDIR in front of an absolute folder itself.
        set(rules \"${TALON_UDEV_RULES_DIR}\")
        if(NOT rules)
            if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
                set(rules /usr/lib/udev/rules.d)
            else()
                set(rules /etc/udev/rules.d)
            endif()
        endif()
        file(INSTALL DESTINATION \"\${rules}\" TYPE FILE
             FILES \"${CMAKE_BINARY_DIR}/packaging/70-kestrel-talon.rules\")")
endif()

# The desktop entry, the metainfo and the icons carry the application id.
configure_file(packaging/kestrel-talon.desktop.in ${CMAKE_BINARY_DIR}/packaging/${TALON_APP_ID}.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${TALON_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

talon_modaliases(${CMAKE_SOURCE_DIR}/modules/setting/apConfig.bin TALON_MODALIASES)
configure_file(packaging/kestrel-talon.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${TALON_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${TALON_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The session-bus interface, where desktops and D-Bus tools look for it.
string(REPLACE "." "/" TALON_BUS_PATH "/${TALON_APP_ID}")
string(REPLACE "-" "_" TALON_BUS_PATH "${TALON_BUS_PATH}")
configure_file(packaging/dbus/interface.xml.in ${CMAKE_BINARY_DIR}/packaging/dbus/${TALON_APP_ID}.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/dbus/${TALON_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)

configure_file(packaging/kestrel-talon.1.in ${CMAKE_BINARY_DIR}/packaging/kestrel-talon.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/kestrel-talon.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# talonctl's manual page and bash completion.
configure_file(packaging/talonctl.1 ${CMAKE_BINARY_DIR}/packaging/talonctl.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/talonctl.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/completion/talonctl DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Drawn by the build from the same vector source as the other pictures.
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/icons/hicolor/${size}x${size}/apps/kestrel-talon.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${TALON_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/packaging/icons/hicolor/scalable/apps/kestrel-talon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TALON_APP_ID}.svg)

install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrel-talon)
if(TALON_INSTALL_LICENSE)
    install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrel-talon)
endif()
