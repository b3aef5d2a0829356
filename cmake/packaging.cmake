# Installing Korvel as a Linux desktop application, and its Debian package.
#   cmake --install build --prefix /usr/local
#   (cd build && cpack -G DEB)        -> build/korvel_<version>_<arch>.deb
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

# The launcher entry and the AppStream metadata as the desktop reads them.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE)
  add_test(NAME install_desktop_entry_valid
           COMMAND ${DESKTOP_FILE_VALIDATE} ${KORVEL_PACKAGING_DIR}/${KORVEL_APP_ID}.desktop)
endif()
if(APPSTREAMCLI)
  add_test(NAME install_appstream_metadata_valid
           COMMAND ${APPSTREAMCLI} validate --no-net ${KORVEL_PACKAGING_DIR}/${KORVEL_APP_ID}.metainfo.xml)
endif()
# The laid-out tree: every file where the desktop looks for it.
add_test(NAME install_layout
         COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/install_layout.sh ${CMAKE_BINARY_DIR})

# The Debian package. Its library dependencies are computed from the binary
# by dpkg-shlibdeps; only what no binary shows is named here: a narrow
# sans-serif face with a fixed-pitch one beside it, which the tool panel was
# laid out for, and Qt's own translations for the buttons of its boxes.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvel)
set(CPACK_PACKAGE_VENDOR Korvel)
set(CPACK_PACKAGE_CONTACT "Korvel developers <dev@korvel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "symmetric drawing toy: rosettes, mirrors and spirals")
set(CPACK_PACKAGE_DESCRIPTION "Korvel is a full-screen drawing toy: every stroke drawn with the mouse
is repeated about a movable centre, as a rosette, mirrored petals, a
vertical mirror, four quarters or once.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
