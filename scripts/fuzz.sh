#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while on a copy of its seed corpus.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 120)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSARTOVIN_BUILD_FUZZ=ON -DSARTOVIN_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" >/dev/null
cmake --build build/fuzz -j "$(nproc)"
for bin in build/fuzz/bin/*Fuzz; do
  name=$(basename "$bin")
  corpus=fuzz/corpus-run/$name
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 "$corpus"
done
