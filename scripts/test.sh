#!/usr/bin/env bash
# Sets up, builds and runs every test.
# Usage: scripts/test.sh [--no-sanitizers] [--werror]
#   --no-sanitizers  skip the second build under the address and undefined-behaviour sanitizers
#   --werror         build with warnings as errors (the "ci" presets), as CI does
set -euo pipefail
cd "$(dirname "$0")/.."

sanitizers=1
plain=default
sanitized=asan
for arg in "$@"; do
  case "$arg" in
    --no-sanitizers) sanitizers=0 ;;
    --werror) plain=ci; sanitized=ci-asan ;;
    *) echo "usage: scripts/test.sh [--no-sanitizers] [--werror]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh

jobs=$(nproc)
cmake --preset "$plain"
cmake --build --preset "$plain" -j "$jobs"
ctest --preset "$plain" -j "$jobs"

if [ "$sanitizers" = 1 ]; then
  cmake --preset "$sanitized"
  cmake --build --preset "$sanitized" -j "$jobs"
  ctest --preset "$sanitized" -j "$jobs"
fi
