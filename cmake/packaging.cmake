# Installing Korvel as a Linux desktop application:
#   cmake --install build --prefix /usr/local
# The Debian package (debian/) installs through these same rules; stripping,
# the debug symbols, the compressed manual page, the copyright and the
# changelog are debhelper's.
include(GNUInstallDirs)

set(KORVEL_APP_ID org.korvel.Korvel)
set(KORVEL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS korvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KORVEL_PACKAGING_DIR}/${KORVEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KORVEL_PACKAGING_DIR}/${KORVEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KORVEL_PACKAGING_DIR}/icons/korvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${KORVEL_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${KORVEL_PACKAGING_DIR}/icons/korvel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KORVEL_APP_ID}.png)
endforeach()
install(FILES ${KORVEL_PACKAGING_DIR}/korvel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The launcher entry and the AppStream metadata as the desktop reads them.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE)
  add_test(NAME install_desktop_entry_valid
           COMMAND ${DESKTOP_FILE_VALIDATE} ${KORVEL_PACKAGING_DIR}/${KORVEL_APP_ID}.desktop)
endif()
if(APPSTREAMCLI)
  add_test(NAME install_appstream_metadata_valid
           COMMAND ${APPSTREAMCLI} validate --pedantic --no-net ${KORVEL_PACKAGING_DIR}/${KORVEL_APP_ID}.metainfo.xml)
endif()
# The laid-out tree: every file where the desktop looks for it.
if(DESKTOP_FILE_VALIDATE AND APPSTREAMCLI)
  add_test(NAME install_layout
           COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/install_layout.sh ${CMAKE_BINARY_DIR})
endif()

# One version, the project's: the package's changelog and the AppStream
# release name it too.
file(STRINGS ${CMAKE_SOURCE_DIR}/debian/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^korvel \\(${PROJECT_VERSION}-[0-9]+\\) ")
  message(FATAL_ERROR "debian/changelog starts \"${changelog_top}\", not version ${PROJECT_VERSION}")
endif()
file(READ ${KORVEL_PACKAGING_DIR}/${KORVEL_APP_ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "${KORVEL_APP_ID}.metainfo.xml has no release ${PROJECT_VERSION}")
endif()
