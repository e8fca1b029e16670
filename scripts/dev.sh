#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine:
#   scripts/dev.sh run    install what is missing, build, start the editor
#   scripts/dev.sh test   install what is missing, build, run every test
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${TINTO_BUILD_DIR:-$root/build}"

packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev libjpeg62-turbo-dev
  libgtest-dev libbenchmark-dev fonts-urw-base35 libemf2svg-dev libuemf-dev
  libqt6svg6 qt6-qpa-plugins)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this script as root once, or install them with apt-get." >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$build" --parallel "$(nproc)"
}

case "${1:-}" in
  run)
    install_missing
    configure_and_build -DTINTO_BUILD_TESTS=OFF -DTINTO_BUILD_BENCH=OFF
    exec "$build/src/app/tinto-editor"
    ;;
  test)
    install_missing
    configure_and_build
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
    ;;
  *)
    echo "usage: scripts/dev.sh run|test" >&2
    exit 2
    ;;
esac
