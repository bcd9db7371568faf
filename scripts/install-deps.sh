#!/usr/bin/env bash
# Installs the Debian packages Quillfen needs to build, test and run.
# Quick and silent when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools
  libqscintilla2-qt6-dev
  libbenchmark-dev
  clang libclang-rt-14-dev llvm
  fp-compiler
  fonts-dejavu-core fonts-wine
  xvfb xauth
  dbus-daemon
  libcanberra-dev sound-theme-freedesktop
  openbox imagemagick
  at-spi2-core python3-pyatspi python3-gi gir1.2-atspi-2.0
  weston qt6-wayland
  doxygen
  lintian dpkg-dev fakeroot file
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them as root with:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
