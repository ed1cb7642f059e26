#!/usr/bin/env bash
# Starts the panels demo on the X server and drives it with the real pointer: a colour chosen
# from the palette, the split between the two docked panels dragged down, the panel's outer edge
# dragged to widen it. Alt+F4 then ends the program cleanly.
set -euo pipefail
demo=$1
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$demo" >"$out" 2>&1 &
pid=$!

# seen LINE [STEPS]: whether LINE shows in the output within STEPS × 50 ms (default 30 s).
seen() {
  for _ in $(seq 1 "${2:-600}"); do
    if grep -q -- "$1" "$out"; then return 0; fi
    if ! kill -0 "$pid" 2>/dev/null; then return 1; fi
    sleep 0.05
  done
  return 1
}

wait_for() {
  seen "$1" && return 0
  echo "smoke: no '$1' in the output:"; cat "$out"; kill "$pid" 2>/dev/null || true; exit 1
}

# drag X Y DX DY LINE: presses at (X, Y), moves by (DX, DY) in two steps and releases, until the
# program reports LINE. On a loaded machine a press can reach the program before the pointer's
# arrival has been taken, and then nothing is dragged: nothing moved, so the same drag is tried
# again (three times at most).
drag() {
  local x=$1 y=$2 dx=$3 dy=$4 line=$5
  for _ in 1 2 3; do
    xdotool mousemove "$x" "$y"
    xdotool mousemove "$x" "$y" mousedown 1
    xdotool mousemove $((x + dx / 2)) $((y + dy / 2))
    xdotool mousemove $((x + dx)) $((y + dy)) mouseup 1
    seen "$line" 100 && return 0
  done
  wait_for "$line"
}

wait_for '^ready '
read -r _ _ ox oy _ sx sy _ ex ey < <(grep '^ready ' "$out")

xdotool mousemove "$ox" "$oy" click 1
wait_for '^colour Orange$'

# The split between Layers and Properties, 40 pixels down.
drag "$sx" "$sy" 0 40 '^size Layers 180 200$'

# The outer edge, 30 pixels right: both panels take the dock's new depth.
drag "$ex" "$ey" 30 0 '^size Properties 210 '

if [ -n "${PANELS_DEMO_SHOT:-}" ]; then /usr/bin/python3 -c "from PIL import ImageGrab; ImageGrab.grab().save('$PANELS_DEMO_SHOT')"; fi
xdotool key alt+F4
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$pid" 2>/dev/null; then echo "smoke: still running after Alt+F4"; kill "$pid"; exit 1; fi
wait "$pid"
echo "smoke: panels demo passed"
