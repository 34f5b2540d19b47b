#!/usr/bin/env bash
# Set-up, build, run and test Lumetra on Debian 12.
#   bash tools/dev.sh run    install what is missing, build, start the editor with a
#                            simulated box listed beside any real one
#   bash tools/dev.sh test   install what is missing, build, run the whole test suite
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}

PACKAGES=(build-essential cmake pkg-config qt6-base-dev qt6-serialport-dev libusb-1.0-0-dev)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

build() {
  cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$BUILD_DIR" -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_missing
    build
    shift
    exec "$BUILD_DIR/src/lumetra" --simulated-box "$@"
    ;;
  test)
    install_missing
    build
    cd "$BUILD_DIR"
    exec ctest --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: bash tools/dev.sh run|test" >&2
    exit 2
    ;;
esac
