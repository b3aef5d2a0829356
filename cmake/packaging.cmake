# Installing Korvel as a Linux desktop application, and its Debian package.
#   cmake --install build --prefix /usr/local
#   (cd build && cpack -G DEB)        -> build/korvel_<version>_<arch>.deb
#                                        and korvel-dbgsym_<version>_<arch>.deb
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME korvel)

set(KORVEL_APP_ID org.korvel.Korvel)
set(KORVEL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS korvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Debug information for the program's own code only, for its symbol file;
# the tests and benchmarks build faster without.
foreach(target korvel korvel_view korvel_core)
  target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-g>)
endforeach()
# The installed program is stripped; its symbols go to their own component,
# installed only when asked for (the package korvel-dbgsym).
set(debug_symbols ${CMAKE_SOURCE_DIR}/cmake/debug_symbols.cmake)
install(CODE "set(KORVEL_STEP strip)
  set(KORVEL_FILE \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/korvel\")
  include(${debug_symbols})")
install(CODE "set(KORVEL_STEP symbols)
  set(KORVEL_FILE \"$<TARGET_FILE:korvel>\")
  include(${debug_symbols})" COMPONENT dbgsym EXCLUDE_FROM_ALL)
# Its copyright and changelog are the program's, as Debian links them.
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/doc\")
  file(CREATE_LINK korvel \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/doc/korvel-dbgsym\" SYMBOLIC)"
  COMPONENT dbgsym EXCLUDE_FROM_ALL)
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

# The manual page and the Debian changelog, compressed as Debian ships them
# (gzip -9n: no name, no time stamp), made with the program.
set(KORVEL_DOCS_DIR ${CMAKE_BINARY_DIR}/docs)
set(KORVEL_COMPRESSED_DOCS)
foreach(doc korvel.1 debian/changelog)
  get_filename_component(name ${doc} NAME)
  set(out ${KORVEL_DOCS_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KORVEL_DOCS_DIR}
    COMMAND sh -c "gzip -9n -c '${KORVEL_PACKAGING_DIR}/${doc}' > '${out}'"
    DEPENDS ${KORVEL_PACKAGING_DIR}/${doc} VERBATIM)
  list(APPEND KORVEL_COMPRESSED_DOCS ${out})
endforeach()
add_custom_target(korvel_docs DEPENDS ${KORVEL_COMPRESSED_DOCS})
add_dependencies(korvel korvel_docs)
install(FILES ${KORVEL_DOCS_DIR}/korvel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KORVEL_PACKAGING_DIR}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${KORVEL_DOCS_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME changelog.Debian.gz)
# French words that lintian's English spelling check takes for typos.
install(FILES ${KORVEL_PACKAGING_DIR}/debian/korvel.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME korvel)

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
add_test(NAME install_layout
         COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/install_layout.sh ${CMAKE_BINARY_DIR})

# The Debian packages. The program's library dependencies are computed from
# the binary by dpkg-shlibdeps; only what no binary shows is named here: a
# narrow sans-serif face with a fixed-pitch one beside it, which the tool
# panel was laid out for, Qt's own French translations for its dialogs,
# which are shown in French whatever the locale, and PortAudio, which the
# program loads at its first tone. The debug symbols go with
# the same version of the program only.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL korvel dbgsym)
set(CPACK_PACKAGE_NAME korvel)
set(CPACK_PACKAGE_VENDOR Korvel)
set(CPACK_PACKAGE_CONTACT "Seed aa8891a7 maintainers <maintainers@users.noreply.c-seed-aa8891a7.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES OFF)  # the install rules strip
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_KORVEL_PACKAGE_NAME korvel)
set(CPACK_DEBIAN_KORVEL_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_KORVEL_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_KORVEL_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation, qt6-translations-l10n, libportaudio2")
set(CPACK_COMPONENT_KORVEL_DESCRIPTION "symmetric drawing toy: rosettes, mirrors and spirals
Korvel is a full-screen drawing toy: every stroke drawn with the mouse
is repeated about a movable centre, as a rosette, mirrored petals, a
vertical mirror, four quarters or once.")
set(CPACK_DEBIAN_DBGSYM_PACKAGE_NAME korvel-dbgsym)
set(CPACK_DEBIAN_DBGSYM_PACKAGE_SECTION debug)
set(CPACK_DEBIAN_DBGSYM_PACKAGE_DEPENDS "korvel (= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")
set(CPACK_COMPONENT_DBGSYM_DESCRIPTION "debug symbols for korvel")
include(CPack)
