#!/usr/bin/env bash
# Sets up, builds and runs every test. Usage: scripts/test.sh [--no-sanitizers]
set -euo pipefail
cd "$(dirname "$0")/.."

sanitizers=1
[ "${1:-}" = "--no-sanitizers" ] && sanitizers=0

scripts/install-deps.sh

jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

if [ "$sanitizers" = 1 ]; then
  cmake --preset asan
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
fi
