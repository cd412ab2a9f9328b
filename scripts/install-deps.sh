#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark and
# package Quarvel and Norvia. Packages already present are skipped, so a second
# run costs one dpkg query.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build make pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick
  fonts-ipafont-gothic fonts-dejavu-core fonts-urw-base35 libxcb1-dev
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
