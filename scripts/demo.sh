#!/usr/bin/env bash
# Sets up, builds, and runs Sartovin's main job on a bundled example: the sticker sheet is laid out
# on the stored plotter's medium and turned into the bytes the cutter would receive.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target sartovin

bin=build/default/bin/sartovin
out=build/demo
mkdir -p "$out"
# A private settings folder, so the demo never touches the user's own settings.
export XDG_CONFIG_HOME="$PWD/$out/config"

echo "== The sticker sheet as the Illustrator-mode program (standard edition) cuts it on a Jaguar IV 61"
"$bin" inspect examples/stickers.qxj
"$bin" plot --start-mode 2 --plotter "Jaguar IV 61" --columns 2 --output "$out/stickers.plt" examples/stickers.qxj
# What was cut, as the preview shows it: the medium with both copies.
"$bin" preview --start-mode 2 --plotter "Jaguar IV 61" --columns 2 --png "$out/stickers.png" examples/stickers.qxj

echo
echo "== The same sheet on a hobby cutter (GP-GL)"
"$bin" plot --plotter "Silhouette Cameo" --output "$out/stickers-cameo.gpgl" examples/stickers.qxj
"$bin" preview --plotter "Silhouette Cameo" --png "$out/stickers-cameo.png" examples/stickers.qxj

if command -v inkscape >/dev/null 2>&1; then
  echo
  echo "== The lettering drawing straight from its Inkscape SVG"
  "$bin" plot --start-mode 5 --plotter "Jaguar IV 61" --output "$out/lettering.plt" examples/lettering.svg
fi

echo
echo "== A name plate on the laser engraver: the plate engraved around a circle and a star, cut out"
"$bin" plot --start-mode 21 --plotter "Laser C180" --resolution 500 --output "$out/nameplate.prn" examples/nameplate.qxj

echo
echo "The cutter and engraver streams and the pictures of what they cut are in $out/:"
ls -l "$out"/*.plt "$out"/*.gpgl "$out"/*.prn "$out"/*.png
