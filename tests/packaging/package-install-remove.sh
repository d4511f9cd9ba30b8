#!/bin/sh
# Builds the Debian package from a finished build folder ($1), checks what it declares and holds,
# installs it into a throw-away root with dpkg, runs the installed command there, and removes it
# again: nothing may stay behind. Never touches this system's own /usr.
# Exit 77 (skipped) where cpack or dpkg is missing.
set -eu

build=$1
for tool in cpack dpkg dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/sartovin-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/sartovin_*_amd64.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no sartovin_<version>_amd64.deb in $(ls "$work/out")"

# What the package declares.
[ "$(dpkg-deb -f "$deb" Package)" = sartovin ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libcups2 libxml2 libx11-6; do
  case $depends in *"$lib"*) ;; *) fail "Depends lacks $lib: $depends" ;; esac
done

# The programs go without the build's debug information.
size=$(dpkg-deb -f "$deb" Installed-Size)
[ "$size" -lt 60000 ] || fail "Installed-Size $size KiB: are the programs stripped?"

# What it holds: the programs and their names, data, udev rules, Inkscape extensions, desktop files.
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/sartovin ./usr/bin/SartovinIsHP ./usr/bin/SartovinIs ./usr/bin/SartovinAI \
            ./usr/share/Sartovin/Plotter.csv ./usr/share/Sartovin/2000.txt \
            ./etc/udev/rules.d/70-sartovin-cutters.rules \
            ./usr/share/inkscape/extensions/sartovin-inkscape \
            ./usr/share/inkscape/extensions/sartovin_standard.inx \
            ./usr/share/applications/sartovin.desktop \
            ./usr/share/metainfo/org.sartovin.Sartovin.metainfo.xml \
            ./usr/share/man/man1/sartovin.1 ./usr/share/bash-completion/completions/sartovin; do
  grep -qx "$path" "$work/contents" || fail "the package lacks $path"
done
grep -q '^./usr/local' "$work/contents" && fail "the package installs below /usr/local"
grep -q '/LICENSE$' "$work/contents" || fail "the package lacks the licence"

# Install into a root of its own, run the command from there, remove it.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-script-chrootless --force-not-root --log=/dev/null \
  -i "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "dpkg -i"; }
[ -x "$root/usr/bin/sartovin" ] || fail "not installed"
version=$(HOME=$work XDG_CONFIG_HOME=$work/config "$root/usr/bin/sartovin" --version)
[ "$version" = "sartovin $(dpkg-deb -f "$deb" Version)" ] || fail "--version says '$version'"
HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_DIRS=$work/none "$root/usr/bin/sartovin" text 10 \
  >"$work/text" 2>&1 || { cat "$work/text"; fail "the installed command finds no texts"; }
dpkg --root="$root" --force-script-chrootless --force-not-root --log=/dev/null -r sartovin \
  >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "dpkg -r"; }
left=$(find "$root" -path "$root/var" -prune -o \( -type f -o -type l \) -print)
[ -z "$left" ] || fail "left behind after removal: $left"
echo "OK: $(basename "$deb") installs and removes cleanly"
