#!/usr/bin/env bash
# Starts the panels demo on the X server and drives it with the real pointer: a colour chosen
# from the palette, the split between the two docked panels dragged down, the panel's outer edge
# dragged to widen it, the toolbar dragged along its dock by its handle and the floating panel by
# its caption. Alt+F4 then ends the program cleanly. With "managed" as the second argument the
# same runs under a window manager.
#
# Each drag is a press, a move half way and a release further on, sent in one go while the
# program is stopped, so that all of it is queued when the program reads its input, as on a busy
# machine: the drag must end where the button came up.
set -euo pipefail
demo=$1
out=$(mktemp)
wm=
trap 'rm -f "$out"; if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; fi' EXIT
if [ "${2:-}" = managed ]; then
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 1 600); do
    xprop -root | grep -q '_NET_SUPPORTING_WM_CHECK(WINDOW)' && break
    sleep 0.05
  done
  # Having taken the screen, the window manager may still sleep on a map request that comes
  # before its start is over: wait until it has managed a window, as the desktop cases do.
  /usr/bin/python3 -c 'import sys; sys.path.insert(0, sys.argv[1]); import korvalin_desktop as d; d.wait_until_windows_are_managed(30)' \
    "$(dirname "$0")/../../tests/desktop"
fi
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

# drag X Y DX DY LINE: with the pointer resting at (X, Y), presses there, moves half way and
# releases at (X + DX, Y + DY) while the program is stopped; the program then reports LINE.
drag() {
  local x=$1 y=$2 dx=$3 dy=$4 line=$5
  xdotool mousemove "$x" "$y"
  sleep 0.3
  kill -STOP "$pid"
  xdotool mousedown 1 mousemove $((x + dx / 2)) $((y + dy / 2)) mousemove $((x + dx)) $((y + dy)) mouseup 1
  kill -CONT "$pid"
  wait_for "$line"
}

wait_for '^ready '
read -r _ _ ox oy _ sx sy _ ex ey _ hx hy _ cx cy _ bx by _ fx fy < <(grep '^ready ' "$out")

xdotool mousemove "$ox" "$oy" click 1
wait_for '^colour Orange$'

# The split between Layers and Properties, 40 pixels down.
drag "$sx" "$sy" 0 40 '^size Layers 180 200$'

# The outer edge, 30 pixels right: both panels take the dock's new depth.
drag "$ex" "$ey" 30 0 '^size Properties 210 '

# The toolbar's handle and the floating panel's caption, 30 pixels right: each frame moves with
# the pointer, its top left corner as far as the pointer went.
drag "$hx" "$hy" 30 0 "^moved Colours $((bx + 30)) $by\$"
drag "$cx" "$cy" 30 0 "^moved Floating $((fx + 30)) $fy\$"

if [ -n "${PANELS_DEMO_SHOT:-}" ]; then /usr/bin/python3 -c "from PIL import ImageGrab; ImageGrab.grab().save('$PANELS_DEMO_SHOT')"; fi
xdotool key alt+F4
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$pid" 2>/dev/null; then echo "smoke: still running after Alt+F4"; kill "$pid"; exit 1; fi
wait "$pid"
echo "smoke: panels demo passed"
