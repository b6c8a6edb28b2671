#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it as a player's
# machine would see it: lintian finds no error in it, its dependencies and
# files, the desktop entry and the metainfo through their validators, and the
# game unpacked into a temporary root and started from a folder holding an
# unrelated dat/ on an X server of its own (Xvfb):
# it must find its installed data, show the title picture pixel for pixel,
# carry its icon, ask for no maximise button and end cleanly when closed.
#
#   tools/package-check.sh [BUILD]      (default build)
#
# Needs what tools/setup.sh test installs (dpkg-dev, desktop-file-utils,
# appstream, lintian, xvfb, xdotool, imagemagick, x11-utils, python3).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
id=org.quillmoor.Quillmoor
fail() { echo "package check: $*" >&2; exit 1; }

# 1. The package.
rm -f "$build"/quillmoor_*.deb
(cd "$build" && cpack -G DEB >/dev/null 2>&1) || fail "cpack could not build the package"
deb=$(ls "$build"/quillmoor_*.deb)
echo "package: $deb ($(stat -c %s "$deb") bytes)"

# 1a. Debian's own checks: an error fails; the warnings are shown.
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
[ -z "$lintian_out" ] || echo "$lintian_out"
! grep -q '^E: ' <<<"$lintian_out" || fail "lintian reports errors"
echo "lintian: no error"

# 2. Dependencies read from the programs' libraries, and the font named.
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for want in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfreetype6 libfontconfig1 libjpeg62-turbo \
  libx11-6 libstdc++6 fonts-ipafont-gothic; do
  grep -q "\b$want\b" <<<"$depends" || fail "Depends lacks $want"
done

# 3. Its files.
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
required=(./usr/games/quillmoor ./usr/bin/quillmoor-lab
  ./usr/share/quillmoor/dat/swordia.txt ./usr/share/quillmoor/dat/story.txt
  ./usr/share/quillmoor/dat/title.bmp ./usr/share/quillmoor/dat/icon.bmp
  ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml
  ./usr/share/man/man6/quillmoor.6.gz ./usr/share/man/man1/quillmoor-lab.1.gz
  ./usr/share/doc/quillmoor/copyright ./usr/share/doc/quillmoor/changelog.Debian.gz)
for size in 16 24 32 48 64 128 256; do
  required+=("./usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for path in "${required[@]}"; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
[ "$(grep -c '^./usr/share/quillmoor/dat/.' <<<"$contents")" = "$(ls "$top/dat" | wc -l)" ] ||
  fail "the package's dat/ does not hold exactly the files of dat/"
echo "contents: ${#required[@]} required files, all of dat/"

# 4. Unpacked into a temporary root; the validators, offline.
root=$(mktemp -d)
unrelated=$(mktemp -d)
trap 'rm -rf "$root" "$unrelated"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
  [ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")" = "${size}x${size}" ] ||
    fail "the ${size}px icon is not ${size} x ${size}"
done
man -l "$root/usr/share/man/man6/quillmoor.6.gz" >/dev/null 2>&1 || zcat "$root/usr/share/man/man6/quillmoor.6.gz" | grep -q '^\.TH QUILLMOOR 6' ||
  fail "the game's manual page does not read"

# 5. The game from a folder holding an unrelated dat/ (as a home folder may),
# on an X server of its own.
source "$top/tools/x11-session.sh"
game=
trap 'kill $game $xvfb 2>/dev/null || true; rm -rf "$root" "$unrelated"' EXIT
start_xvfb || fail "no X server"
mkdir "$unrelated/dat"
echo "not the game's" >"$unrelated/dat/notes.txt"
cd "$unrelated"
env -u QUILLMOOR_DATA SDL_AUDIODRIVER=dummy "$root/usr/games/quillmoor" 2>"$unrelated/stderr" &
game=$!
wait_for_window || fail "the installed game showed no window: $(cat "$unrelated/stderr")"
sleep 1
import -window "$window" -depth 8 rgb:"$unrelated/shown.rgb"
convert "$top/dat/title.bmp" -depth 8 rgb:"$unrelated/title.rgb"
cmp -s "$unrelated/shown.rgb" "$unrelated/title.rgb" || fail "the window does not show the title picture"
echo "title: the window shows dat/title.bmp pixel for pixel"
# Read whole before matching: under pipefail, a grep -q that stops early
# would fail the pipeline by cutting xprop's long icon dump short.
icon=$(xprop -id "$window" _NET_WM_ICON)
grep -q 'Icon (64 x 64)' <<<"$icon" || fail "the window has no 64 x 64 icon"
# Motif hints: functions move, minimise, close (4 + 8 + 32); no maximise (16).
hints=$(xprop -id "$window" _MOTIF_WM_HINTS)
grep -q '= 0x3, 0x2c, 0x3a' <<<"$hints" || fail "the frame may offer maximise"
echo "window: its icon is set, and its frame offers no maximise"
python3 "$top/tools/x11-close.py" "$window"
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$game" || status=$?
game=
[ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$unrelated/stderr")"
[ ! -s "$unrelated/stderr" ] || fail "the game wrote on standard error: $(cat "$unrelated/stderr")"
echo "package check: passed"
