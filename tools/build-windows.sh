#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 on Debian, for 64-bit and
# for 32-bit Windows (7 SP1 or later):
#   build-windows/Pelvorn.exe                        x86-64, GUI, statically linked
#   build-windows/Pelvorn-<version>-win64.zip        program, README, licence text
#   build-windows/Pelvorn-<version>-win64-setup.exe  installer (NSIS, per user)
#   build-windows-i686/...                           the same for i686, -win32
# With --test it then runs the Windows tests of each under Wine (64-bit Wine
# for the one, 32-bit Wine for the other): the toolkit-free core tests and
# the front end's own as Windows programs, the resource and import checks of
# the linked exe, the installer and the end-to-end suite on a private Xvfb;
# and compares the window of the one with that of the other.
# Installs its Debian packages with apt-get when they are missing (32-bit
# Wine needs the i386 architecture, which it adds to dpkg).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
                  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 nsis icoutils python3
                  googletest libagg-dev)
WINE_TEST_PACKAGES=(wine64 wine32:i386 xvfb xauth xdotool xclip imagemagick)
run_tests=0
[ "${1:-}" = --test ] && run_tests=1
if ((run_tests)); then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture to dpkg (32-bit Wine)"
    if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
    # ensure_packages updates the package lists, as wine32:i386 is missing.
  fi
  ensure_packages "${WINDOWS_PACKAGES[@]}" "${WINE_TEST_PACKAGES[@]}"
else
  ensure_packages "${WINDOWS_PACKAGES[@]}"
fi

WINDOWS_BUILD_DIR=${WINDOWS_BUILD_DIR:-$PROJECT_DIR/build-windows}
# Architecture | build directory
ARCHITECTURES=("x86_64|$WINDOWS_BUILD_DIR" "i686|$WINDOWS_BUILD_DIR-i686")
start=$(date +%s)
for row in "${ARCHITECTURES[@]}"; do
  IFS='|' read -r arch dir <<<"$row"
  build_project "$dir" -DCMAKE_TOOLCHAIN_FILE="$PROJECT_DIR/cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DPELVORN_BUILD_TESTS=$((run_tests ? 1 : 0))
done
echo "Built in $(($(date +%s) - start)) s:"
ls -l "$WINDOWS_BUILD_DIR/Pelvorn.exe" "$WINDOWS_BUILD_DIR"/Pelvorn-*-win64.zip "$WINDOWS_BUILD_DIR"/Pelvorn-*-win64-setup.exe \
  "$WINDOWS_BUILD_DIR-i686/Pelvorn.exe" "$WINDOWS_BUILD_DIR-i686"/Pelvorn-*-win32.zip \
  "$WINDOWS_BUILD_DIR-i686"/Pelvorn-*-win32-setup.exe

if ((run_tests)); then
  # Tests set their locales themselves; the machine's own must not leak in.
  export LANG=C.UTF-8 LC_ALL= LC_NUMERIC=
  unset DISPLAY WAYLAND_DISPLAY
  status=0
  for row in "${ARCHITECTURES[@]}"; do
    IFS='|' read -r arch dir <<<"$row"
    start=$(date +%s)
    ctest --test-dir "$dir" --output-on-failure --parallel "$JOBS" || status=$?
    wine_arch=win64
    [ "$arch" = x86_64 ] || wine_arch=win32
    PELVORN_WINEARCH=$wine_arch PELVORN_WINEPREFIX=$dir/wine/unit "$PROJECT_DIR/tests/wine/wine.sh" --stop
    echo "Windows tests of $arch under Wine ($wine_arch): $(($(date +%s) - start)) s"
  done
  # The window of the 32-bit program has the size of the 64-bit one's.
  sizes=()
  for row in "${ARCHITECTURES[@]}"; do
    IFS='|' read -r arch dir <<<"$row"
    sizes+=("$(identify -format '%wx%h' "$dir/wine/window.png" 2>/dev/null || echo "no screenshot in $dir/wine")")
  done
  if [ "${sizes[0]}" = "${sizes[1]}" ]; then
    echo "ok   - the window is ${sizes[0]} pixels under 64-bit and 32-bit Wine"
  else
    echo "FAIL - the window under 64-bit Wine: ${sizes[0]}, under 32-bit Wine: ${sizes[1]}"
    status=1
  fi
  exit $status
fi
