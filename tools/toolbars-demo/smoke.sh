#!/usr/bin/env bash
# Starts the menus demo on the X server and drives it with the real pointer and keyboard: a menu
# of the menu bar chosen by keys, a recent-file entry, the edit item's in-place edit, a popup menu
# by its accelerator, and a click outside a popup menu that still reaches the menu bar below.
# Alt+F4 then ends the program cleanly.
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

wait_for '^ready '
read -r _ _ fx fy _ ex ey _ cx cy < <(grep '^ready ' "$out")

# File > Open by keys after a click on the bar.
xdotool mousemove "$fx" "$fy" click 1
wait_for '^opened File$'
xdotool key Down Return
wait_for '^chose Open\.\.\.$'

# File > Recent files > the file just opened comes first.
xdotool mousemove "$fx" "$fy" click 1
wait_for '^opened File$'
xdotool key Down Down Down Right Return
wait_for '^recent /data/opened1.txt$'

# Edit > Find: typed into the box, accepted with Enter.
xdotool mousemove "$ex" "$ey" click 1
wait_for '^opened Edit$'
xdotool key Down Return
sleep 0.3
xdotool type abc
xdotool key Return
wait_for '^find abc$'
# The edit had the keyboard; a window manager hands the focus back to the form in its own time.
sleep 0.5

# A popup menu chosen by its accelerator.
xdotool mousemove "$cx" "$cy" click 3
wait_for '^opened popup$'
xdotool key c
wait_for '^chose Copy$'

# A click outside the popup menu closes it and reaches the menu bar, which opens its menu.
before=$(grep -c '^opened File$' "$out")
xdotool mousemove "$cx" "$cy" click 3
for _ in $(seq 1 100); do [ "$(grep -c '^opened popup$' "$out")" = 2 ] && break; sleep 0.05; done
xdotool mousemove "$fx" "$fy" click 1
for _ in $(seq 1 200); do
  [ "$(grep -c '^opened File$' "$out")" -gt "$before" ] && break
  sleep 0.05
done
[ "$(grep -c '^opened File$' "$out")" -gt "$before" ] || { echo "smoke: the click did not reach the bar"; cat "$out"; exit 1; }
xdotool key Escape
sleep 0.2

xdotool key alt+F4
for _ in $(seq 1 200); do
  if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; exit $?; fi
  sleep 0.05
done
echo "smoke: the demo did not close"; cat "$out"; kill "$pid"; exit 1
