#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Korvane (run as root).
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-translations-l10n qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libgl-dev zlib1g-dev
  libcli11-dev
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth openbox wmctrl xdotool
  dpkg-dev file appstream lintian help2man icoutils
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine64 ninja-build
  fonts-dejavu-core fonts-liberation2 fonts-comic-neue fonts-urw-base35
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
