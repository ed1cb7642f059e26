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

wait_for() {
  for _ in $(seq 1 600); do
    if grep -q -- "$1" "$out"; then return 0; fi
    if ! kill -0 "$pid" 2>/dev/null; then break; fi
    sleep 0.05
  done
  echo "smoke: no '$1' in the output:"; cat "$out"; kill "$pid" 2>/dev/null || true; exit 1
}

wait_for '^ready '
read -r _ _ ox oy _ sx sy _ ex ey < <(grep '^ready ' "$out")

xdotool mousemove "$ox" "$oy" click 1
wait_for '^colour Orange$'

# The split between Layers and Properties, 40 pixels down.
xdotool mousemove "$sx" "$sy" mousedown 1
xdotool mousemove "$sx" $((sy + 20))
xdotool mousemove "$sx" $((sy + 40)) mouseup 1
wait_for '^size Layers 180 200$'

# The outer edge, 30 pixels right: both panels take the dock's new depth.
xdotool mousemove "$ex" "$ey" mousedown 1
xdotool mousemove $((ex + 30)) "$ey"
xdotool mousemove $((ex + 30)) "$ey" mouseup 1
wait_for '^size Properties 210 '

if [ -n "${PANELS_DEMO_SHOT:-}" ]; then /usr/bin/python3 -c "from PIL import ImageGrab; ImageGrab.grab().save('$PANELS_DEMO_SHOT')"; fi
xdotool key alt+F4
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$pid" 2>/dev/null; then echo "smoke: still running after Alt+F4"; kill "$pid"; exit 1; fi
wait "$pid"
echo "smoke: panels demo passed"
