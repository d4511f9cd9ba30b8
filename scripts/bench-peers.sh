#!/usr/bin/env bash
# Runs the generated benchmark drawings from SVG file to HP-GL through our program (our own
# converter, and Inkscape's conversion as the program used it before), through pstoedit (from an EPS
# that Inkscape exports beforehand, not timed) and through Inkscape's own HPGL export, where these
# are installed, and prints wall time, peak memory and the ratios of one run.
#
#   scripts/bench-peers.sh [--build DIR] [--sizes "1000 10000 50000 200000"] [--hpgl-up-to N]
#                          [--inkscape-up-to N]
#
# --build        the build folder with bin/sartovin and bin/svg-bench-drawing (default build/release
#                when it exists, else build/default); measure with a Release build
# --hpgl-up-to   Inkscape's HPGL export only for drawings of at most N paths (default 1000: it needs
#                minutes for a thousand)
# --inkscape-up-to  our program with Inkscape's conversion only up to N paths (default 50000)
# --pstoedit-up-to  pstoedit only up to N paths (default 50000: Inkscape's EPS export of larger
#                drawings takes long)
#
# Nothing of the user's settings is touched: the program runs with a settings folder of its own.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build=""
sizes="1000 10000 50000 200000"
hpglUpTo=1000
inkscapeUpTo=50000
pstoeditUpTo=50000
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$2"; shift 2 ;;
    --sizes) sizes="$2"; shift 2 ;;
    --hpgl-up-to) hpglUpTo="$2"; shift 2 ;;
    --inkscape-up-to) inkscapeUpTo="$2"; shift 2 ;;
    --pstoedit-up-to) pstoeditUpTo="$2"; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--sizes \"N ...\"] [--hpgl-up-to N] [--inkscape-up-to N]" >&2; exit 2 ;;
  esac
done
if [ -z "$build" ]; then
  if [ -x "$root/build/release/bin/sartovin" ]; then build="$root/build/release"; else build="$root/build/default"; fi
fi
sartovin="$build/bin/sartovin"
generator="$build/bin/svg-bench-drawing"
for p in "$sartovin" "$generator"; do
  [ -x "$p" ] || { echo "missing $p: build the targets sartovin and svg-bench-drawing first" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
have() { command -v "$1" >/dev/null 2>&1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" TMPDIR="$work" LC_ALL=C

# Runs a command and leaves "seconds kilobytes cpu-seconds" in $measured; "failed" when it failed
# (our program with Inkscape gives up when Inkscape needs more than its 50 s).
measure() {
  if /usr/bin/time -f "%e %M %U %S" -o "$work/time" "$@" >"$work/out.log" 2>&1; then
    measured="$(tail -1 "$work/time" | awk '{ printf "%s %s %.2f", $1, $2, $3 + $4 }')"
  else
    measured="failed - -"
  fi
}
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { if (a !~ /^[0-9.]+$/ || b !~ /^[0-9.]+$/ || b == 0) print "-"; else printf "%.1fx", a / b }'
}

echo "Sartovin from $build; $(nproc) cores; load average $(cut -d' ' -f1-3 /proc/loadavg)"
have inkscape && echo "$(inkscape --version 2>/dev/null | head -1)" || echo "Inkscape: not installed"
have pstoedit && echo "pstoedit $( (pstoedit 2>&1 || true) | grep -m1 -o 'version [0-9.]*')" || echo "pstoedit: not installed"
# Each program: wall seconds, CPU seconds (user and system, its children included) and peak MB.
# On a machine shared with other work the CPU seconds compare more fairly than the wall seconds.
printf '\n%-7s %-6s | %-24s | %-24s | %-24s | %-16s | %-17s %-17s %-17s\n' paths file "ours wall/cpu s, MB" \
  "with Inkscape" "pstoedit" "Inkscape HPGL" "pstoedit/ours" "with Ink./ours" "Ink. HPGL/ours"
for n in $sizes; do
  drawing="$work/drawing-$n.svg"
  "$generator" "$n" "$drawing"
  size="$(du -k "$drawing" | cut -f1)K"

  measure "$sartovin" plot --quiet --svg-converter own --output "$work/own-$n.plt" "$drawing"
  read -r ownS ownKb ownCpu <<<"$measured"

  inkS="-"; inkKb="-"; inkCpu="-"
  if have inkscape && [ "$n" -le "$inkscapeUpTo" ]; then
    measure "$sartovin" plot --quiet --svg-converter inkscape --output "$work/ink-$n.plt" "$drawing"
    read -r inkS inkKb inkCpu <<<"$measured"
  fi

  pstS="-"; pstKb="-"; pstCpu="-"
  if have pstoedit && have inkscape && [ "$n" -le "$pstoeditUpTo" ]; then
    if inkscape "$drawing" --export-type=eps --export-filename="$work/drawing-$n.eps" >/dev/null 2>&1; then
      measure pstoedit -f hpgl "$work/drawing-$n.eps" "$work/pstoedit-$n.hpgl"
      read -r pstS pstKb pstCpu <<<"$measured"
    fi
  fi

  hpglS="-"; hpglCpu="-"
  if have inkscape && [ "$n" -le "$hpglUpTo" ]; then
    measure inkscape "$drawing" --export-type=hpgl --export-filename="$work/inkscape-$n.hpgl"
    read -r hpglS _ hpglCpu <<<"$measured"
  fi

  mb() { [ "$1" = "-" ] && echo "-" || awk -v k="$1" 'BEGIN { printf "%.0f", k / 1024 }'; }
  both() { echo "$(ratio "$1" "$2")/$(ratio "$3" "$4")"; }
  printf '%-7s %-6s | %6s %6s %6s MB | %6s %6s %6s MB | %6s %6s %6s MB | %6s %6s s | %-17s %-17s %-17s\n' \
    "$n" "$size" "$ownS" "$ownCpu" "$(mb "$ownKb")" "$inkS" "$inkCpu" "$(mb "$inkKb")" \
    "$pstS" "$pstCpu" "$(mb "$pstKb")" "$hpglS" "$hpglCpu" \
    "$(both "$pstS" "$ownS" "$pstCpu" "$ownCpu")" "$(both "$inkS" "$ownS" "$inkCpu" "$ownCpu")" \
    "$(both "$hpglS" "$ownS" "$hpglCpu" "$ownCpu")"
done
echo
echo "ours: sartovin plot --svg-converter own (SVG file to HP-GL file); with Inkscape: the same with"
echo "--svg-converter inkscape, as before our converter; pstoedit: EPS (exported by Inkscape, not timed)"
echo "to HP-GL; Inkscape HPGL: Inkscape's own HPGL export. Ratios: their time / ours, wall/cpu."
