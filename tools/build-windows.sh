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
# Wine needs the i386 architecture, which it adds to dpkg). On a kernel that
# runs no 32-bit programs it skips the 32-bit Wine runs, and says so; the
# i686 build, its resource and import checks, zip and installer still run.
# The skipped parts are listed at the end, and appended to the file
# $PELVORN_SKIPPED_FILE if that is set (tools/test.sh sums them up).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
                  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 nsis icoutils python3
                  googletest libagg-dev)
WINE_TEST_PACKAGES=(wine64 xvfb xauth xdotool xclip imagemagick)
run_tests=0
[ "${1:-}" = --test ] && run_tests=1
skipped=()
skip() {
  skipped+=("$1")
  [ -z "${PELVORN_SKIPPED_FILE:-}" ] || echo "$1" >>"$PELVORN_SKIPPED_FILE"
}

# Whether the kernel starts a 32-bit x86 program: a 91-byte static i386 ELF
# that calls exit(0) through int 0x80. Kernels without IA-32 emulation (some
# cloud VMs, WSL1, hardened ones) refuse it with "Exec format error".
# It is written beside the build, where programs may run (/tmp may be noexec).
runs_32bit_programs() {
  local program status=0
  program=$(mktemp "$PROJECT_DIR/.i386-probe.XXXXXX")
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0%b' \
    '\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\133\0\0\0\133\0\0\0\5\0\0\0\0\020\0\0\061\300\100\061\333\315\200' \
    >"$program"
  chmod +x "$program"
  "$program" 2>/dev/null || status=$?
  rm -f "$program"
  return $status
}

wine32=0
if ((run_tests)); then
  if runs_32bit_programs; then
    wine32=1
    WINE_TEST_PACKAGES+=(wine32:i386)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      echo "Adding the i386 architecture to dpkg (32-bit Wine)"
      if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
      # ensure_packages updates the package lists, as wine32:i386 is missing.
    fi
  else
    echo "SKIP: this kernel cannot run 32-bit programs (Exec format error): no 32-bit Wine runs; the i686 build, its import check, zip and installer still run"
    skip "32-bit Wine runs of the i686 build (unit, front-end, end-to-end and installer tests): the kernel cannot run 32-bit programs"
    skip "window size of the 32-bit program against the 64-bit one's: no 32-bit Wine to show it"
  fi
  ensure_packages "${WINDOWS_PACKAGES[@]}" "${WINE_TEST_PACKAGES[@]}"
else
  ensure_packages "${WINDOWS_PACKAGES[@]}"
fi

WINDOWS_BUILD_DIR=${WINDOWS_BUILD_DIR:-$PROJECT_DIR/build-windows}
# Architecture | build directory | whether Wine runs its programs
ARCHITECTURES=("x86_64|$WINDOWS_BUILD_DIR|1" "i686|$WINDOWS_BUILD_DIR-i686|$wine32")
start=$(date +%s)
for row in "${ARCHITECTURES[@]}"; do
  IFS='|' read -r arch dir wine <<<"$row"
  build_project "$dir" -DCMAKE_TOOLCHAIN_FILE="$PROJECT_DIR/cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DPELVORN_BUILD_TESTS=$((run_tests ? 1 : 0)) -DPELVORN_WINE_TESTS=$wine
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
    IFS='|' read -r arch dir wine <<<"$row"
    start=$(date +%s)
    ctest --test-dir "$dir" --output-on-failure --parallel "$JOBS" || status=$?
    if ((wine)); then
      wine_arch=win64
      [ "$arch" = x86_64 ] || wine_arch=win32
      PELVORN_WINEARCH=$wine_arch PELVORN_WINEPREFIX=$dir/wine/unit "$PROJECT_DIR/tests/wine/wine.sh" --stop
      echo "Windows tests of $arch under Wine ($wine_arch): $(($(date +%s) - start)) s"
    else
      echo "Windows checks of $arch without Wine: $(($(date +%s) - start)) s"
    fi
  done
  if ((wine32)); then
    # The window of the 32-bit program has the size of the 64-bit one's.
    sizes=()
    for row in "${ARCHITECTURES[@]}"; do
      IFS='|' read -r arch dir wine <<<"$row"
      sizes+=("$(identify -format '%wx%h' "$dir/wine/window.png" 2>/dev/null || echo "no screenshot in $dir/wine")")
    done
    if [ "${sizes[0]}" = "${sizes[1]}" ]; then
      echo "ok   - the window is ${sizes[0]} pixels under 64-bit and 32-bit Wine"
    else
      echo "FAIL - the window under 64-bit Wine: ${sizes[0]}, under 32-bit Wine: ${sizes[1]}"
      status=1
    fi
  fi
  if ((${#skipped[@]})); then
    echo "Skipped:"
    printf '  - %s\n' "${skipped[@]}"
  fi
  exit $status
fi
