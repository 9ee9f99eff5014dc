# The program's identity has one source: the project() call. Everything that
# shows a name, a version or the copyright line reads the generated header.
set(PELVORN_PRODUCT_NAME "Pelvorn")
set(PELVORN_TITLE "Pelvorn")
set(PELVORN_COPYRIGHT "Copyright © 2026 die Pelvorn-Entwickler")
set(PELVORN_COMPANY "Pelvorn-Projekt")
set(PELVORN_DESCRIPTION "Entfernung und Antennenrichtung zwischen zwei Locatoren")

configure_file(${CMAKE_CURRENT_LIST_DIR}/ApplicationIdentity.h.in
               ${CMAKE_BINARY_DIR}/generated/ApplicationIdentity.h @ONLY)
