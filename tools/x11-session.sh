# Sourced by the scripts that run the game on an X server of their own
# (tools/package-check.sh, tools/rest-figures.sh); needs Xvfb and xdotool.

# start_xvfb FIRST: an Xvfb on a display picked at random from FIRST to
# FIRST + 99, exported as DISPLAY once it answers; its pid in $xvfb.
start_xvfb() {
  local display=:$(($1 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
}

# wait_for_window: the game's window id in $window, waiting up to ten
# seconds for it to appear; fails when it does not.
wait_for_window() {
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --name '^Quillmoor$' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && return 0
    sleep 0.1
  done
  return 1
}
