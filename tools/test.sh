#!/usr/bin/env bash
# Builds Pelvorn and runs every test: the unit, window and end-to-end tests,
# the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, a
# short run of each fuzz target, the Windows program's tests under Wine and
# the packaging checks. Ends with a summary of what was skipped and why.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The stages append what they skip, one line each, to this file.
PELVORN_SKIPPED_FILE=$(mktemp)
export PELVORN_SKIPPED_FILE
summary() {
  local status=$?
  echo "== Summary"
  if [ -s "$PELVORN_SKIPPED_FILE" ]; then
    echo "Skipped:"
    sed 's/^/  - /' "$PELVORN_SKIPPED_FILE"
  else
    echo "Nothing skipped."
  fi
  rm -f "$PELVORN_SKIPPED_FILE"
  if ((status)); then echo "FAILED (status $status)"; else echo "All stages passed."; fi
}
trap summary EXIT

TEST_PACKAGES=(libgtest-dev libbenchmark-dev libhamlib-dev libhamlib-utils locales pkg-config python3 wsjtx fldigi
               xvfb xauth xdotool xclip time iproute2
               sway wl-clipboard grim wtype jq qt6-wayland xwayland x11-xserver-utils
               clang libclang-rt-14-dev geographiclib-tools librsvg2-bin gdal-bin)
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

# Tests set their locales themselves; the machine's own must not leak in.
export LANG=C.UTF-8 LC_ALL= LC_NUMERIC=
unset DISPLAY WAYLAND_DISPLAY

echo "== Build and test"
build_project "$BUILD_DIR" -DPELVORN_BUILD_TESTS=ON -DPELVORN_BUILD_BENCH=ON
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$JOBS"

echo "== Sanitized build and test (ASan + UBSan)"
build_project "$PROJECT_DIR/build-asan" -DPELVORN_BUILD_TESTS=ON -DPELVORN_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=Debug
# Qt keeps caches for the life of the process; leaks are checked in the
# toolkit-free tests only (the entries in tests/core turn detect_leaks on).
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1} \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$PROJECT_DIR/build-asan" --output-on-failure --parallel "$JOBS"

echo "== Fuzz targets, short runs"
CC=clang CXX=clang++ build_project "$PROJECT_DIR/build-fuzz" -DPELVORN_BUILD_TESTS=OFF \
  -DPELVORN_BUILD_FUZZ=ON
"$PROJECT_DIR/fuzz/run-fuzzers.sh" "$PROJECT_DIR/build-fuzz" "${FUZZ_SECONDS:-20}"

echo "== Windows: cross-build, unit and end-to-end tests under Wine"
"$PROJECT_DIR/tools/build-windows.sh" --test

echo "== Packaging"
"$PROJECT_DIR/tools/check-packaging.sh" "$BUILD_DIR"
