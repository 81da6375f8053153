# Sourced by the end-to-end checks, after the Wine environment and with probe_exe set: a work folder
# that goes at the end with the program and the display, and the steps a person takes on the main
# window. Places are given in the window's 96-DPI design units and scaled by $dpi (96 unless the
# check sets it).
dpi=${dpi:-96}
work=$(mktemp -d /tmp/folvane-e2e.XXXXXX)
folvane_pid=""
cleanup() {
  if [ -n "$folvane_pid" ] && kill -0 "$folvane_pid" 2>/dev/null; then
    wine "$probe_exe" close "Folvane Tool" >/dev/null 2>&1 || true
    sleep 2
    kill "$folvane_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
  if [ -n "${FOLVANE_XVFB_PID:-}" ]; then kill "$FOLVANE_XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A length of the design at $dpi, to the nearest pixel, halves to even, as the program scales.
s() {
  local n=$(($1 * dpi)) q r
  q=$((n / 96)) r=$((n % 96))
  if [ $((2 * r)) -gt 96 ] || { [ $((2 * r)) -eq 96 ] && [ $((q % 2)) -eq 1 ]; }; then q=$((q + 1)); fi
  echo $q
}

# Starts folvane.exe (the first argument) in the folder FOLDER (the second) and waits for its window;
# ox and oy become its client area's screen position, bar the height of the menu bar at its top.
start_folvane() {
  (cd "$2" && exec wine "$1") >/dev/null 2>&1 &
  folvane_pid=$!
  local origin=""
  for _ in $(seq 100); do
    origin=$(wine "$probe_exe" origin "Folvane Tool" 2>/dev/null || true)
    [ -n "$origin" ] && break
    sleep 0.3
  done
  [ -n "$origin" ] || fail "the main window did not appear"
  read -r ox oy <<<"$origin"
  bar=$(s 21)
  sleep 1
}
# A click at the design point (X, Y) of the client area below the menu bar.
click() { xdotool mousemove "$((ox + $(s "$1")))" "$((oy + bar + $(s "$2")))" click 1; sleep 0.5; }
# The text of the window at the design point (X, Y) below the menu bar, as the window answers.
text_at() { wine "$probe_exe" text-at "$((ox + $(s "$1")))" "$((oy + bar + $(s "$2")))" 2>/dev/null | tr -d '\r' || true; }

# The text of the message window TITLE once it shows (empty after 30 s), and its closing.
wait_message() {
  local text=""
  for _ in $(seq 60); do
    text=$(wine "$probe_exe" message "$1" 2>/dev/null || true)
    [ -n "$text" ] && break
    sleep 0.5
  done
  echo "$text"
}
wait_closed() {
  for _ in $(seq 30); do
    wine "$probe_exe" message "$1" >/dev/null 2>&1 || return 0
    sleep 0.5
  done
  fail "the window '$1' did not close"
}

# TEXT into Edit1 (8, 32, 249 x 21). On a busy machine xdotool may lose a Chinese character while
# it remaps a key for it; what the edit holds is read back, and the text typed again over a loss.
type_root() {
  local typed=""
  click 100 42
  for _ in 1 2 3 4 5; do
    xdotool type --delay 30 "$1"
    sleep 0.3
    typed=$(text_at 100 42)
    [ "$typed" = "$1" ] && break
    xdotool key ctrl+a
  done
  [ "$typed" = "$1" ] || fail "the root edit holds '$typed' after typing '$1'"
}
# Depth 2 from ComboBox1's drop-down (86, 60, 35 x 21): the button at its right opens the list of
# items 13 design pixels high below it (inside a 2-pixel border); the highlight follows the pointer
# to "2", and a click chooses it.
choose_depth_2() {
  click 112 70
  xdotool mousemove "$((ox + $(s 100)))" "$((oy + bar + $(s $((60 + 21 + 2 + 13 + 6)))))"
  sleep 0.3
  click 100 $((60 + 21 + 2 + 13 + 6))
  local depth
  depth=$(text_at 94 70)
  [ "$depth" = "2" ] || fail "the depth box shows '$depth' after choosing 2 from its list"
}
