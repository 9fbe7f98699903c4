#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Only calls apt-get when something is missing, so a second run is instant.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libcurl4-openssl-dev
  libxml2-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core
  python3
  newsboat
  xvfb xauth x11-apps
  # The controls' Designer plugin and QUiLoader (Designer's CMake files also
  # need the OpenGL module's), and the checks of the desktop files and the
  # manual pages.
  qt6-tools-dev libqt6opengl6-dev
  desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
