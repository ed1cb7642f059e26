#!/usr/bin/env bash
# Runs the menus demo on a session bus with the accessibility bus started, and reads its menu the
# way a screen reader does (accessibility_probe.py). Run under a virtual X server.
set -euo pipefail
demo=$1
here=$(cd "$(dirname "$0")" && pwd)
exec dbus-run-session -- bash -s "$demo" "$here" <<'SESSION'
set -euo pipefail
demo=$1 here=$2
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
bus=
out=$(mktemp)
# The accessibility bus is the launcher's child: it is ended by its own pid, then the launcher.
finish() {
  set +e
  [ -z "$bus" ] || kill "$bus" 2>/dev/null
  kill "$launcher" 2>/dev/null
  wait "$launcher" 2>/dev/null
  rm -f "$out"
}
trap finish EXIT
ask() { dbus-send --print-reply=literal "$@" 2>/dev/null; }
# Asked only once the launcher holds its name: a call before would have the session bus start
# a second launcher.
for _ in $(seq 1 200); do
  [[ $(ask --session --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
         string:org.a11y.Bus) == *"boolean true" ]] && break
  sleep 0.05
done
address=$(ask --session --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress) || true
reply=$(ask --bus="${address// /}" --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.GetConnectionUnixProcessID string:org.freedesktop.DBus) || true
bus=${reply##* }
[ -n "$bus" ] || { echo "accessibility: no accessibility bus told its pid" >&2; exit 1; }
# Qt publishes its accessibility whenever the bus is there, reader or not.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$demo" >"$out" 2>&1 &
pid=$!
# Up to 30 s for the first window: a loaded machine can take seconds.
for _ in $(seq 1 600); do grep -q '^ready ' "$out" && break; sleep 0.05; done
read -r _ _ fx fy _ < <(grep '^ready ' "$out")
status=0
/usr/bin/python3 "$here/accessibility_probe.py" "$fx" "$fy" || status=$?
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
exit "$status"
SESSION
