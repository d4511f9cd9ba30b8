#!/usr/bin/env bash
# Builds the libFuzzer targets (and only what they need) with clang and runs each for a while on a
# copy of its seed corpus.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]   (default 120 s, every fuzz/*Fuzz.cpp)
# An input that takes longer than FUZZ_INPUT_TIMEOUT seconds (default 10) counts as a finding, as
# does one that needs more than FUZZ_RSS_MB megabytes (default 2048). Every target runs even when
# an earlier one found something; findings land in fuzz/corpus-run/findings/, the log of each run
# beside its corpus, and the script fails when there was any.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for src in fuzz/*Fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSARTOVIN_BUILD_FUZZ=ON -DSARTOVIN_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]}"
failed=()
summary=()
for name in "${targets[@]}"; do
  bin=build/fuzz/bin/$name
  corpus=fuzz/corpus-run/$name
  findings=fuzz/corpus-run/findings
  mkdir -p "$corpus" "$findings"
  [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  status=0
  "$bin" -max_total_time="$seconds" -timeout="${FUZZ_INPUT_TIMEOUT:-10}" -rss_limit_mb="${FUZZ_RSS_MB:-2048}" \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/$name-" "$corpus" \
    2>&1 | tee "fuzz/corpus-run/$name.log" || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "fuzz/corpus-run/$name.log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "fuzz/corpus-run/$name.log" | tail -1)
  summary+=("$(printf '%-20s %10s runs  %s' "$name" "${runs:-?}" "${cov:-cov: ?}")")
  [ "$status" = 0 ] || failed+=("$name")
done
echo "== summary"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]} (inputs in fuzz/corpus-run/findings/)" >&2
  exit 1
fi
