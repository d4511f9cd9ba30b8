#!/usr/bin/env bash
# Builds the Illustrator plug-in SartovinCS2.aip with MinGW-w64: the host's 32-bit form (i686) and
# a 64-bit one (x86_64), each with the small host program of the Wine test.
# Usage: scripts/build-plugin.sh [BUILD-FOLDER]   (default build/plugin; the DLLs land in
#        BUILD-FOLDER/i686/SartovinCS2.aip and BUILD-FOLDER/x86_64/SartovinCS2.aip)
# The ordinary build (cmake --preset ...) builds the same when the cross compilers are installed.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/plugin}

for arch in i686 x86_64; do
  if ! command -v "$arch-w64-mingw32-g++" >/dev/null; then
    echo "build-plugin: $arch-w64-mingw32-g++ is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
  cmake -S src/aiplugin/win -B "$out/$arch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw-w64-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DSARTOVIN_WARNINGS_AS_ERRORS=ON
  cmake --build "$out/$arch" -j "$(nproc)"
  echo "build-plugin: $out/$arch/SartovinCS2.aip"
done
