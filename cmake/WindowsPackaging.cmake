# The Windows packages, built with Pelvorn.exe: Pelvorn-<version>-win64.zip
# (program, README, licence text) and the installer
# Pelvorn-<version>-win64-setup.exe (NSIS, per user, Start-menu entry,
# uninstaller); -win32 for the i686 build.
find_program(PELVORN_MAKENSIS makensis REQUIRED)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(pelvorn_bits 64)
else()
  set(pelvorn_bits 32)
endif()
set(pelvorn_package Pelvorn-${PROJECT_VERSION}-win${pelvorn_bits})
set(pelvorn_stage ${CMAKE_BINARY_DIR}/${pelvorn_package})
# The licence text: LICENSE of the project, or else its copyright line.
set(PELVORN_LICENCE_FILE ${PROJECT_SOURCE_DIR}/LICENSE)
if(NOT EXISTS ${PELVORN_LICENCE_FILE})
  set(PELVORN_LICENCE_FILE ${CMAKE_BINARY_DIR}/generated/LIZENZ.txt)
  file(WRITE ${PELVORN_LICENCE_FILE} "${PELVORN_COPYRIGHT}\r\n")
endif()

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/${pelvorn_package}.zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${pelvorn_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${pelvorn_stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Pelvorn> ${pelvorn_stage}/Pelvorn.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${pelvorn_stage}/README.md
  COMMAND ${CMAKE_COMMAND} -E copy ${PELVORN_LICENCE_FILE} ${pelvorn_stage}/LIZENZ.txt
  COMMAND ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${pelvorn_package}.zip --format=zip ${pelvorn_package}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS Pelvorn ${PROJECT_SOURCE_DIR}/README.md ${PELVORN_LICENCE_FILE}
  COMMENT "Packing ${pelvorn_package}.zip"
  VERBATIM)

set(pelvorn_nsi ${PROJECT_SOURCE_DIR}/packaging/windows/Pelvorn.nsi)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/${pelvorn_package}-setup.exe
  COMMAND ${PELVORN_MAKENSIS} -V2 -DBITS=${pelvorn_bits} -DVERSION=${PROJECT_VERSION}
          -DVERSION4=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}
          "-DCOPYRIGHT=${PELVORN_COPYRIGHT}" -DEXE=$<TARGET_FILE:Pelvorn>
          -DREADME=${PROJECT_SOURCE_DIR}/README.md -DLICENCE=${PELVORN_LICENCE_FILE}
          -DICON=${PROJECT_SOURCE_DIR}/packaging/icons/pelvorn.ico
          -DOUTFILE=${CMAKE_BINARY_DIR}/${pelvorn_package}-setup.exe ${pelvorn_nsi}
  DEPENDS Pelvorn ${pelvorn_nsi} ${PROJECT_SOURCE_DIR}/README.md ${PELVORN_LICENCE_FILE}
  COMMENT "Building the installer ${pelvorn_package}-setup.exe"
  VERBATIM)

add_custom_target(pelvorn_windows_packages ALL
                  DEPENDS ${CMAKE_BINARY_DIR}/${pelvorn_package}.zip
                          ${CMAKE_BINARY_DIR}/${pelvorn_package}-setup.exe)
set(PELVORN_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/${pelvorn_package}-setup.exe CACHE INTERNAL "The installer, for its test")
