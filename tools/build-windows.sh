#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 on Debian:
#   build-windows/Pelvorn.exe                      x86-64, GUI, statically linked
#   build-windows/Pelvorn-<version>-win64.zip      program, README, licence text
#   build-windows/Pelvorn-<version>-win64-setup.exe  installer (NSIS, per user)
#   build-windows-i686/Pelvorn.exe                 32-bit, compiled and linked only
# With --test it then runs the Windows tests under Wine: the toolkit-free core
# tests and the front end's own as Windows programs, the resource check of the
# linked exe, the installer and the end-to-end suite on a private Xvfb.
# Installs its Debian packages with apt-get when they are missing.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
                  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 nsis icoutils python3
                  googletest)
WINE_TEST_PACKAGES=(wine64 xvfb xauth xdotool xclip imagemagick)
run_tests=0
[ "${1:-}" = --test ] && run_tests=1
if ((run_tests)); then
  ensure_packages "${WINDOWS_PACKAGES[@]}" "${WINE_TEST_PACKAGES[@]}"
else
  ensure_packages "${WINDOWS_PACKAGES[@]}"
fi

WINDOWS_BUILD_DIR=${WINDOWS_BUILD_DIR:-$PROJECT_DIR/build-windows}
start=$(date +%s)
build_project "$WINDOWS_BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$PROJECT_DIR/cmake/toolchain-mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DPELVORN_BUILD_TESTS=$((run_tests ? 1 : 0))
build_project "$WINDOWS_BUILD_DIR-i686" -DCMAKE_TOOLCHAIN_FILE="$PROJECT_DIR/cmake/toolchain-mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DPELVORN_BUILD_TESTS=OFF
echo "Built in $(($(date +%s) - start)) s:"
ls -l "$WINDOWS_BUILD_DIR/Pelvorn.exe" "$WINDOWS_BUILD_DIR-i686/Pelvorn.exe" "$WINDOWS_BUILD_DIR"/Pelvorn-*-win64.zip \
  "$WINDOWS_BUILD_DIR"/Pelvorn-*-win64-setup.exe

if ((run_tests)); then
  # Tests set their locales themselves; the machine's own must not leak in.
  export LANG=C.UTF-8 LC_ALL= LC_NUMERIC=
  unset DISPLAY WAYLAND_DISPLAY
  status=0
  ctest --test-dir "$WINDOWS_BUILD_DIR" --output-on-failure --parallel "$JOBS" || status=$?
  PELVORN_WINEPREFIX=$WINDOWS_BUILD_DIR/wine/unit "$PROJECT_DIR/tests/wine/wine.sh" --stop
  exit $status
fi
