#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Sartovin needs.
# Safe to run again; it only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang
  inkscape libx11-dev libxml2-dev
  # The laser job's raster is drawn with Cairo.
  libcairo2-dev
  libcups2-dev cups cups-client
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth x11-utils locales
  # The Illustrator plug-in's DLL (32 and 64 bit) and the Wine test that loads it.
  gcc-mingw-w64-i686 g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The German and French locales, so that the tests can show that the command streams keep their
# decimal points whatever locale the user runs the program in.
for loc in de_DE fr_FR; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO localedef -i "$loc" -f UTF-8 "$loc.UTF-8" || echo "note: could not generate the $loc.UTF-8 locale"
  fi
done
