#!/usr/bin/env bash
# Checks Pelvorn's packaging against a configured and built tree:
#  - the desktop entry, AppStream metainfo and manual page pass their validators;
#  - the icon files are the 32x32 16-colour design in every form;
#  - the Windows version resource compiles with mingw-w64 windres (i686) and
#    carries the right strings, numbers and icon;
#  - the plain-C++ locator arithmetic compiles and links for 32-bit Windows;
#  - the Debian package built by cpack installs, runs and removes cleanly
#    (only when BUILD_DIR/Pelvorn has been built).
# Installs missing tools with apt-get. Usage: tools/check-packaging.sh BUILD_DIR
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
mingw=i686-w64-mingw32

ensure_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
  done
  if ((${#missing[@]})); then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}
ensure_packages desktop-file-utils appstream man-db groff-base imagemagick python3 \
  dpkg-dev binutils-mingw-w64-i686 g++-mingw-w64-i686-win32

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

passed=0 failed=0 skipped=0
# check NAME COMMAND...: runs the command quietly; prints its output on failure.
check() {
  local name=$1 output
  shift
  if output=$("$@" 2>&1); then
    passed=$((passed + 1))
    echo "ok: $name"
  else
    failed=$((failed + 1))
    echo "FAIL: $name"
    [[ -z $output ]] || printf '    %s\n' "${output//$'\n'/$'\n'    }"
  fi
}
# silent COMMAND...: fails when the command fails or prints anything.
silent() {
  local output
  output=$("$@" 2>&1) || { echo "$output"; return 1; }
  [[ -z $output ]] || { echo "$output"; return 1; }
}

generated=$build_dir/packaging
icons=$source_dir/packaging/icons

check_appstream() {
  local output
  output=$(appstreamcli validate --no-net --pedantic "$1" 2>&1) || { echo "$output"; return 1; }
  ! grep -E '^[EWIP]:' <<<"$output"
}

check_manual_page() {
  local text
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$1" 2>"$scratch/man.err") || return 1
  if [[ -s $scratch/man.err ]]; then cat "$scratch/man.err"; return 1; fi
  local wanted
  for wanted in NAME ÜBERSICHT BESCHREIBUNG KOMMANDOZEILE EXIT-STATUS BEISPIELE \
                "Pelvorn 'L;JO62mm;KM38mm;;;V-'"; do
    grep -qF -- "$wanted" <<<"$text" || { echo "missing: $wanted"; return 1; }
  done
  local statuses status
  statuses=$(sed -n '/^EXIT-STATUS/,/^[[:upper:]]/p' <<<"$text")
  for status in 0 1 2 3 4; do
    grep -qE "^ +$status +[[:upper:]]" <<<"$statuses" || { echo "exit status $status not described"; return 1; }
  done
}

check_icons() {
  local xpm=$icons/pelvorn.xpm geometry width height colours
  geometry=$(identify -format '%w %h %k' "$xpm")
  read -r width height colours <<<"$geometry"
  [[ $width == 32 && $height == 32 && $colours -le 16 ]] ||
    { echo "pelvorn.xpm: ${width}x${height}, $colours colours"; return 1; }
  # The theme PNG and the Windows icon show exactly the XPM's pixels.
  local want form
  want=$(convert "$xpm" -depth 8 rgba:- | md5sum)
  for form in pelvorn.png pelvorn.ico; do
    [[ $(convert "$icons/$form" -depth 8 rgba:- | md5sum) == "$want" ]] ||
      { echo "$form differs from pelvorn.xpm"; return 1; }
  done
  python3 -c 'import sys, xml.etree.ElementTree as E; E.parse(sys.argv[1])' "$icons/pelvorn.svg"
}

check_windows_resource() {
  "$mingw-windres" -O res -i "$build_dir/generated/Pelvorn.rc" -o "$scratch/Pelvorn.res" &&
    python3 "$source_dir/tools/packaging/check_windows_resource.py" "$scratch/Pelvorn.res" "$source_dir"
}

check_windows_arithmetic() {
  local flags=(-std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
               -Werror -ffp-contract=off -fno-fast-math -ftrapping-math -I"$source_dir/src")
  local source objects=()
  for source in "$source_dir"/src/common/*.cpp "$source_dir"/src/arithmetic/*.cpp \
                "$source_dir/tools/packaging/windows_arithmetic_main.cpp"; do
    objects+=("$scratch/$(basename "$source" .cpp).obj")
    "$mingw-g++-win32" "${flags[@]}" -c "$source" -o "${objects[-1]}" || return 1
  done
  "$mingw-g++-win32" -static "${objects[@]}" -o "$scratch/arithmetic.exe"
}

# The package round trip: build, install, run the installed program, remove.
check_debian_package() {
  local version deb
  version=$(sed -nE 's/^project\(Pelvorn VERSION ([0-9.]+).*/\1/p' "$source_dir/CMakeLists.txt")
  deb=$build_dir/pelvorn_${version}_$(dpkg --print-architecture).deb
  rm -f "$deb"
  (cd "$build_dir" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; return 1; }
  dpkg -i "$deb" >/dev/null 2>&1 ||
    DEBIAN_FRONTEND=noninteractive apt-get install -f -y -qq >/dev/null 2>&1 || true
  local result=0 path output
  if [[ $(dpkg-query -W -f '${Status} ${Version}' pelvorn 2>/dev/null) != "install ok installed $version" ]]; then
    echo "pelvorn $version did not install"
    result=1
  fi
  for path in /usr/bin/Pelvorn /usr/libexec/pelvorn/pelvorn-qt /usr/share/applications/pelvorn.desktop \
              /usr/share/icons/hicolor/32x32/apps/pelvorn.png \
              /usr/share/icons/hicolor/scalable/apps/pelvorn.svg \
              /usr/share/man/man1/Pelvorn.1.gz \
              /usr/share/metainfo/io.github.pelvorn.pelvorn.metainfo.xml; do
    [[ -f $path ]] || { echo "not installed: $path"; result=1; }
  done
  if ! output=$(/usr/bin/Pelvorn --version 2>&1) || [[ $output != "Pelvorn $version"* ]]; then
    echo "--version: $output"
    result=1
  fi
  # A hidden run without any display, in a German locale.
  if ! output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u LC_ALL -u LC_NUMERIC LANG=de_DE.UTF-8 \
                  timeout 20 /usr/bin/Pelvorn 'L;JO62mm;KM38mm;;;V-' 2>/dev/null) ||
     [[ $output != '1892,585 km/139,74 °' ]]; then
    echo "hidden run: '$output'"
    result=1
  fi
  # An unknown mode needs the Qt front end, which the program finds in libexec.
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 /usr/bin/Pelvorn 'X;;;;;V-' 2>&1 >/dev/null)
  [[ $output == *'Es ist nur L oder G m'* ]] || { echo "mode X hidden: '$output'"; result=1; }
  dpkg -r pelvorn >/dev/null 2>&1 || { echo "dpkg -r failed"; result=1; }
  [[ ! -e /usr/bin/Pelvorn ]] || { echo "/usr/bin/Pelvorn left after removal"; result=1; }
  return $result
}

check "desktop entry validates" silent desktop-file-validate "$generated/pelvorn.desktop"
check "AppStream metainfo validates" check_appstream "$generated/io.github.pelvorn.pelvorn.metainfo.xml"
manual_page=$generated/Pelvorn.1
[[ ! -f $manual_page.gz ]] || manual_page+=.gz
check "manual page renders without warnings" check_manual_page "$manual_page"
check "icons: 32x32, at most 16 colours, same pixels in XPM, PNG and ICO" check_icons
check "Windows version resource compiles and carries the identity" check_windows_resource
check "locator arithmetic compiles and links for 32-bit Windows" check_windows_arithmetic
if [[ -x $build_dir/Pelvorn ]]; then
  check "Debian package installs, runs and is removed" check_debian_package
else
  skipped=$((skipped + 1))
  echo "skipped: Debian package ($build_dir/Pelvorn is not built)"
  [[ -z ${PELVORN_SKIPPED_FILE:-} ]] || echo "Debian package check: $build_dir/Pelvorn is not built" >>"$PELVORN_SKIPPED_FILE"
fi

echo "$passed passed, $failed failed, $skipped skipped"
((failed == 0))
