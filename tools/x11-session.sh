# Sourced by the scripts that run the game on an X server of their own
# (tools/package-check.sh, tools/rest-figures.sh); needs Xvfb and xdotool.

# start_xvfb: an Xvfb on a display it picks itself (-displayfd: the first
# number whose socket and lock it can take, so a lock left by a server that
# was killed, or a display another program holds, is passed over), exported
# as DISPLAY once the server says it is ready; its pid in $xvfb. Fails, with
# what Xvfb printed, when no server came up within thirty seconds (a cold,
# loaded machine can take several to start one).
start_xvfb() {
  local ready log
  ready=$(mktemp)
  log=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$ready" >"$log" 2>&1 &
  xvfb=$!
  for _ in $(seq 300); do
    grep -q '^[0-9]' "$ready" && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  local number
  number=$(head -1 "$ready")
  rm -f "$ready"
  if [ -z "$number" ]; then
    echo "Xvfb did not start: $(cat "$log")" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
  export DISPLAY=:$number
}

# wait_for_window: the game's window id in $window, waiting up to thirty
# seconds for it to appear; fails when it does not.
wait_for_window() {
  window=
  for _ in $(seq 300); do
    window=$(xdotool search --name '^Quillmoor$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && return 0
    sleep 0.1
  done
  return 1
}
