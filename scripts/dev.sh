#!/usr/bin/env bash
# Set-up, build and run in one step, on Debian 12 as root or with sudo:
#   scripts/dev.sh run [FILE]   install what is missing, build (Release) and start the program
#   scripts/dev.sh test         the same set-up, then the whole test suite, headless
# Both are idempotent: with everything installed and built they only check and start.
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD_DIR=${VELTRANE_BUILD_DIR:-build}

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev
  libgtest-dev libgmock-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-tools
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav
  fonts-ipafont-gothic
  libglib2.0-dev libxcb1-dev
  desktop-file-utils appstream librsvg2-bin dbus-daemon
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
  fi
  cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

case "${1:-}" in
  run)
    shift
    install_missing
    build
    exec "$BUILD_DIR/veltrane" "$@"
    ;;
  test)
    install_missing
    build
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)"
    ;;
  *)
    echo "usage: $0 run [FILE] | test" >&2
    exit 2
    ;;
esac
