#!/usr/bin/env bash
# Starts the program on the X server, waits for its main window, drops nothing, and closes it
# with Alt+F4: the program must end cleanly and leave its settings file behind.
set -euo pipefail
program=$1
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cp "$program" "$workdir/korvalin"
out="$workdir/out.txt"
start=$(date +%s%N)
"$workdir/korvalin" >"$out" 2>&1 &
pid=$!
win=""
for _ in $(seq 1 200); do
  win=$(xdotool search --onlyvisible --name '^Korvalin 4$' 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "smoke: the program ended early:"; cat "$out"; exit 1; }
  sleep 0.05
done
[ -n "$win" ] || { echo "smoke: no main window"; cat "$out"; kill "$pid"; exit 1; }
echo "smoke: main window visible after $(( ($(date +%s%N) - start) / 1000000 )) ms"
# The real pointer over the window gives it the keyboard focus, then Alt+F4 closes it through
# our own close handling.
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + 200)) $((Y + 200)) click 1
xdotool key alt+F4
for _ in $(seq 1 200); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    [ -f "$workdir/korvalin.ini" ] || { echo "smoke: no settings file written"; exit 1; }
    exit 0
  fi
  sleep 0.05
done
echo "smoke: the program did not close"; cat "$out"; kill "$pid"; exit 1
