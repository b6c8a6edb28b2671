#!/usr/bin/env bash
# Measures the game at rest under Xvfb: the share of a core it uses and how
# often it wakes up while idle at the title and on the board, its resident
# memory at the title and after a whole game, and its thread count.
#
#   tools/rest-figures.sh [GAME [ARGUMENTS...]]   (default build/quillmoor)
#
# (for example `tools/rest-figures.sh build/quillmoor --gl` for the OpenGL
# renderer; IDLE_SECONDS sets the idle spans, 20 s by default; SHOTS=FOLDER
# keeps a picture of the game every five rounds and at the end).
#
# Run from the repository's top folder (the game reads dat/ there) after a
# build; needs Xvfb, xdotool and ImageMagick's import (tools/setup.sh test
# installs them). It starts its own X server on a free display, so it runs on
# a machine with or without a screen. The whole game is played by clicking
# blindly where the screens have their buttons (START, SKIP, the battle log,
# the story's pages and its close button) until the champion's board shows.
# Figures: CPU % of one core from the kernel's run time of every thread,
# wake-ups a second from the number of times its threads were scheduled.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
game=${1:-build/quillmoor}
shift || true
idle=${IDLE_SECONDS:-20}

source tools/x11-session.sh
xvfb=
gamepid=
cleanup() {
  [ -n "$gamepid" ] && kill "$gamepid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
start_xvfb

"$game" "$@" 2>/dev/null &
gamepid=$!
wait_for_window || { echo "the game's window did not appear" >&2; exit 1; }
sleep 2

# Run time (ns) and times scheduled, summed over the game's threads.
runtime() { cat /proc/"$gamepid"/task/*/schedstat | awk '{t += $1; n += $3} END {print t, n}'; }
status() { awk -v k="$1:" '$1 == k {print $2}' /proc/"$gamepid"/status; }
# Idle figures over $idle seconds: "CPU% wakeups/s".
measure() {
  local a b
  read -r -a a <<<"$(runtime)"
  sleep "$idle"
  read -r -a b <<<"$(runtime)"
  awk -v t=$((b[0] - a[0])) -v n=$((b[1] - a[1])) -v s="$idle" \
    'BEGIN {printf "%.3f %% of a core, %.1f wake-ups/s", t / s / 1e7, n / s}'
}
click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep "${3:-0.2}"
}
# The pixel of the window at (x, y) as "R,G,B".
pixel() {
  import -window "$window" -crop "1x1+$1+$2" -depth 8 rgb:- 2>/dev/null | od -An -tu1 | tr -s ' ' ',' | sed 's/^,//; s/,$//'
}

echo "title:  $(measure), $(( $(status VmRSS) / 1024 )) MB resident, $(status Threads) threads"
# Hero making (two swords, HP and defence), the prologue, the board.
click 300 225 0.5
click 322 84
click 450 84
for _ in 1 2 3 4 5; do click 340 48; done
for _ in 1 2 3; do click 486 48; done
click 523 280 0.5
click 555 20 1
echo "board:  $(measure), $(( $(status VmRSS) / 1024 )) MB resident, $(status Threads) threads"

# The whole game: START, SKIP, the battle log, the story's pages and its
# close button, the rebuild button, a point on HP and the making screen's
# close, again and again, until the screen stops changing (the champion's
# board takes no more clicks).
screen() { import -window "$window" -depth 8 rgb:- 2>/dev/null | md5sum; }
last=
same=0
for round in $(seq "${ROUNDS:-300}"); do
  click 500 300
  click 560 320
  for _ in 1 2 3; do click 300 200; done
  click 555 20 0.3
  click 350 300 0.3
  click 340 48
  click 523 280 0.3
  now=$(screen)
  if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; fi
  last=$now
  if [ -n "${SHOTS:-}" ] && [ $((round % 5)) = 0 ]; then import -window "$window" "$SHOTS/round-$round.png"; fi
  [ "$same" -ge 3 ] && break
done
echo "a whole game: $round rounds of clicks"
[ -n "${SHOTS:-}" ] && import -window "$window" "$SHOTS/end.png"
sleep 1
echo "after a game: $(( $(status VmRSS) / 1024 )) MB resident, $(status Threads) threads"
echo "command: tools/rest-figures.sh $game $* (Xvfb 1280x1024x24, idle spans of ${idle} s)"
