# Installation and the Debian package: the program, its desktop entry, icons,
# manual page and AppStream metainfo. Names and texts come from the
# application identity (ApplicationIdentity.cmake) and the project version.
include(GNUInstallDirs)

set(PELVORN_APP_ID io.github.pelvorn.pelvorn)
set(pelvorn_packaging ${CMAKE_CURRENT_LIST_DIR}/../packaging)
set(pelvorn_generated ${CMAKE_BINARY_DIR}/packaging)

if(TARGET Pelvorn)
  install(TARGETS Pelvorn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

configure_file(${pelvorn_packaging}/pelvorn.desktop.in
               ${pelvorn_generated}/pelvorn.desktop @ONLY)
configure_file(${pelvorn_packaging}/${PELVORN_APP_ID}.metainfo.xml.in
               ${pelvorn_generated}/${PELVORN_APP_ID}.metainfo.xml @ONLY)
configure_file(${pelvorn_packaging}/Pelvorn.1.in ${pelvorn_generated}/Pelvorn.1 @ONLY)

install(FILES ${pelvorn_generated}/pelvorn.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pelvorn_generated}/${PELVORN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${pelvorn_packaging}/icons/pelvorn.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
install(FILES ${pelvorn_packaging}/icons/pelvorn.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages are installed compressed where gzip is at hand (as Debian
# expects), plain otherwise.
find_program(PELVORN_GZIP gzip)
if(PELVORN_GZIP)
  add_custom_command(
    OUTPUT ${pelvorn_generated}/Pelvorn.1.gz
    COMMAND ${PELVORN_GZIP} -9 -n -c ${pelvorn_generated}/Pelvorn.1 > ${pelvorn_generated}/Pelvorn.1.gz
    DEPENDS ${pelvorn_generated}/Pelvorn.1
    VERBATIM)
  add_custom_target(pelvorn_manual_page ALL DEPENDS ${pelvorn_generated}/Pelvorn.1.gz)
  install(FILES ${pelvorn_generated}/Pelvorn.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  install(FILES ${pelvorn_generated}/Pelvorn.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# Debian package: cpack -G DEB in the build directory.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelvorn)
set(CPACK_PACKAGE_VENDOR "${PELVORN_COMPANY}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${PELVORN_COMPANY} <pelvorn@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PELVORN_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Aus zwei Maidenhead-Locatoren (oder Breiten und Längen in Grad) berechnet
Pelvorn die Großkreisentfernung in Kilometern und die Antennenrichtung in
Grad, zeigt beide in seinem Fenster und legt das Ergebnis in die
Zwischenablage. Ein unsichtbarer Lauf von der Kommandozeile gibt das Ergebnis
für Skripte auf der Standardausgabe aus.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
