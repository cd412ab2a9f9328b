#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark and
# package Quarvel and Norvia and to build and test the browser pages, then the
# pinned npm packages of the browser tests. What is already present is skipped,
# so a second run costs one dpkg query.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build make pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick
  python3-pyatspi at-spi2-core dbus-daemon
  fonts-ipafont-gothic fonts-dejavu-core fonts-urw-base35 libxcb1-dev
  desktop-file-utils appstream dpkg-dev file clang-format
  emscripten nodejs chromium fonttools python3-brotli fonts-liberation locales
  firefox-esr webkit2gtk-driver
  gettext python3-polib esbuild zopfli nlohmann-json3-dev fonts-noto-core fonts-noto-cjk
  # Speech; Debian's CMake package of Qt's speech module also needs the QML
  # integration headers of qt6-declarative-dev.
  qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin
  speech-dispatcher speech-dispatcher-espeak-ng espeak-ng pulseaudio pulseaudio-utils
)
# A machine whose nodejs comes with its own npm has no Debian npm package.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A locale whose decimal separator is a comma, so the conversion tests can
# show that the process locale changes nothing.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

# The browser tests' npm packages, exactly as the lockfile pins them.
web_tests="$(dirname "$0")/../tests/web"
stamp="$web_tests/node_modules/.installed-from-lock"
if [ -f "$web_tests/package-lock.json" ] && ! cmp -s "$web_tests/package-lock.json" "$stamp"; then
  # The tests drive Debian's browsers; no package may fetch one of its own.
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix "$web_tests" --no-audit --no-fund
  cp "$web_tests/package-lock.json" "$stamp"
fi
