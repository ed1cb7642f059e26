#!/usr/bin/env bash
# Drives the control gallery on the X server with the real keyboard and pointer: typing into the
# float edit and the combo box, holding the spin edit's up button, Enter in the memo reaching the
# default button, a balloon closing after its time, Escape pressing Cancel. With a second
# argument it saves a screenshot of the screen there before closing.
set -euo pipefail
gallery=$1
shot=${2:-}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$gallery" >"$out" 2>&1 &
pid=$!

fail() { echo "smoke: $*"; cat "$out"; kill "$pid" 2>/dev/null || true; exit 1; }
# Polls for a line matching $1 in the output, for at most 30 s (a loaded machine, two cases at a
# time beside a build, can take seconds to show a window).
wait_for() {
  for _ in $(seq 1 600); do
    if grep -q -- "$1" "$out"; then return 0; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  fail "no '$1' in the output"
}

wait_for '^ready '
win=$(xdotool search --sync --onlyvisible --name '^Korvalin control gallery$' | head -1)
read -r wx wy < <(xdotool getwindowgeometry "$win" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
IFS=, read -r dx dy < <(grep '^ready ' "$out" | head -1 | sed 's/^ready //')
cx=$((wx + dx)); cy=$((wy + dy))  # the client area's top-left corner on the screen
at() { xdotool mousemove $((cx + $1)) $((cy + $2)); }

# The float edit: the right-hand field of the first row; "." types the decimal separator.
at 215 22; xdotool click 1; sleep 0.2
xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 50 '2.75'
wait_for '^float 2[.,]75$'

# The combo box of the fourth row: Down moves to the next line style.
at 200 109; xdotool click 1; sleep 0.2
xdotool key Down
wait_for '^combo Штриховая$'

# Holding the spin edit's up button steps its value again and again.
before=$(grep -c '^spin ' "$out" || true)
at 214 74; xdotool mousedown 1; sleep 1.5; xdotool mouseup 1
sleep 0.3
after=$(grep -c '^spin ' "$out" || true)
[ $((after - before)) -ge 5 ] || fail "holding the spin button stepped $((after - before)) times"

# Enter in the memo (WantReturns off) presses the default button.
at 100 255; xdotool click 1; sleep 0.2
xdotool key Return
wait_for '^ok$'

# The balloon shows on its button and closes by itself after 3 s.
at 360 282; xdotool click 1
wait_for '^balloon shown$'
sleep 0.5
[ -n "$shot" ] && scrot --overwrite "$shot"
wait_for '^balloon closed$'

# Escape presses Cancel, which closes the form and ends the program.
xdotool key Escape
wait_for '^cancel$'
for _ in $(seq 1 200); do
  if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; exit $?; fi
  sleep 0.05
done
fail "the gallery did not close"
