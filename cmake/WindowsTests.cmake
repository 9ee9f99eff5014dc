# Test set-up of the Windows build, included by tests/CMakeLists.txt before
# the toolkit-free core tests: GoogleTest from Debian's sources built with
# the cross compiler, and Wine as the emulator that CTest runs the test
# programs with (tests/wine/wine.sh, in a prefix of this build tree): wine64
# for the x86-64 build, 32-bit Wine with a prefix of 32-bit Windows for the
# i686 one. Then the tests of the Win32 front end and the end-to-end suite
# under Wine, which has a prefix of its own.
# With PELVORN_WINE_TESTS off (a kernel that runs no 32-bit programs has no
# 32-bit Wine) only the checks of the built files remain, which run nothing
# of Windows: the resources and imports of Pelvorn.exe.
option(PELVORN_WINE_TESTS "Run the Windows test programs under Wine" ON)
if(NOT PELVORN_WINE_TESTS)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/win32 ${CMAKE_BINARY_DIR}/tests/win32)
  return()
endif()
set(PELVORN_WINE_SH ${PROJECT_SOURCE_DIR}/tests/wine/wine.sh)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(PELVORN_WINEARCH win64)
else()
  set(PELVORN_WINEARCH win32)
endif()
set(PELVORN_UNIT_WINEPREFIX ${CMAKE_BINARY_DIR}/wine/unit)
set(PELVORN_E2E_WINEPREFIX ${CMAKE_BINARY_DIR}/wine/e2e)
set(CMAKE_CROSSCOMPILING_EMULATOR env PELVORN_WINEARCH=${PELVORN_WINEARCH}
    PELVORN_WINEPREFIX=${PELVORN_UNIT_WINEPREFIX} ${PELVORN_WINE_SH})
# CTest runs the test programs to list their tests before it runs any test,
# so the prefix is made with the build.
add_custom_target(pelvorn_unit_wineprefix ALL
                  COMMAND env PELVORN_WINEARCH=${PELVORN_WINEARCH} PELVORN_WINEPREFIX=${PELVORN_UNIT_WINEPREFIX}
                          ${PELVORN_WINE_SH} --make
                  COMMENT "Wine prefix for the Windows test programs")

set(PELVORN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
if(NOT EXISTS ${PELVORN_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources missing in ${PELVORN_GOOGLETEST_SOURCE} (Debian package googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${PELVORN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(library gtest gtest_main)
  if(NOT TARGET GTest::${library})
    add_library(GTest::${library} ALIAS ${library})
  endif()
endforeach()
# find_package(GTest) in the test folders finds these targets.
file(WRITE ${CMAKE_BINARY_DIR}/googletest-config/GTestConfig.cmake
     "# GoogleTest is built in this tree (cmake/WindowsTests.cmake).\n")
set(GTest_DIR ${CMAKE_BINARY_DIR}/googletest-config CACHE PATH "" FORCE)

add_subdirectory(${PROJECT_SOURCE_DIR}/tests/win32 ${CMAKE_BINARY_DIR}/tests/win32)
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/wine ${CMAKE_BINARY_DIR}/tests/wine)
