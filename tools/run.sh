#!/usr/bin/env bash
# Builds Pelvorn and starts it; arguments go to the program, e.g.
#   tools/run.sh 'L;JO62mm;KM38mm'
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"
build_project "$BUILD_DIR" -DPELVORN_BUILD_TESTS=OFF
exec "$BUILD_DIR/Pelvorn" "$@"
