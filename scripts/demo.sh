#!/usr/bin/env bash
# Sets up, builds, and runs Sartovin's main job on a bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target sartovin

bin=build/default/bin/sartovin
# A private settings folder, so the demo never touches the user's own settings.
export XDG_CONFIG_HOME="$PWD/build/demo-config"
mkdir -p "$XDG_CONFIG_HOME"

echo "== Start-up as the Illustrator-mode program would see it =="
"$bin" startup --program-path "$PWD/build/default/bin/SartovinAI"
