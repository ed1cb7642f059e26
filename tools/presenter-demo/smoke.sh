#!/usr/bin/env bash
# Starts the demo on the X server, clicks its client area twice with the real pointer and checks
# that each click arrives at the clicked client point and is followed by a repaint in the next
# colour; then closes the window and expects a clean exit.
set -euo pipefail
demo=$1
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$demo" >"$out" 2>&1 &
pid=$!

# Polls for a line matching $1 in the output, for at most 30 s (a loaded machine, two cases at a
# time beside a build, can take seconds to show a window).
wait_for() {
  for _ in $(seq 1 600); do
    if grep -q -- "$1" "$out"; then return 0; fi
    if ! kill -0 "$pid" 2>/dev/null; then break; fi
    sleep 0.05
  done
  echo "smoke: no '$1' in the output:"; cat "$out"; kill "$pid" 2>/dev/null || true; exit 1
}

wait_for '^painted 285ac8'
win=$(xdotool search --sync --onlyvisible --name '^Korvalin presenter demo$' | head -1)
read -r x y < <(xdotool getwindowgeometry "$win" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
[ "$x" = 100 ] && [ "$y" = 100 ] || { echo "smoke: window at $x,$y"; exit 1; }

# The window's frame is ours: its client area starts below the caption, so click well inside.
xdotool mousemove 250 250 click 1
wait_for '^click 1 at '
wait_for '^painted c83c28'
xdotool mousemove 300 280 click 1
wait_for '^click 2 at '
wait_for '^painted 28a046'
first=$(grep '^click 1 at ' "$out" | sed 's/.* at //')
second=$(grep '^click 2 at ' "$out" | sed 's/.* at //')
# Both clicks are 50,30 apart in client coordinates, whatever the frame's size.
IFS=, read -r x1 y1 <<<"$first"
IFS=, read -r x2 y2 <<<"$second"
[ $((x2 - x1)) = 50 ] && [ $((y2 - y1)) = 30 ] || { echo "smoke: clicks at $first and $second"; exit 1; }
[ "$x1" -gt 0 ] && [ "$x1" -lt 150 ] || { echo "smoke: first click at $first"; exit 1; }

# Alt+F4 goes through our own close handling and ends the message loop.
xdotool key alt+F4
for _ in $(seq 1 200); do
  if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; exit $?; fi
  sleep 0.05
done
echo "smoke: the demo did not close"; kill "$pid"; exit 1
