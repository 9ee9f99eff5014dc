# Shared by the set-up scripts: package installation and the build.
set -euo pipefail

PROJECT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$PROJECT_DIR/build}
JOBS=${JOBS:-$(nproc)}

# Installs those of the given Debian packages that are missing.
ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libxcb1-dev libgl-dev fonts-dejavu-core libagg-dev)

# Configures and builds the project into $1 with further cmake arguments.
build_project() {
  local dir=$1
  shift
  cmake -S "$PROJECT_DIR" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" --parallel "$JOBS"
}
