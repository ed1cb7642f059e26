#!/usr/bin/env bash
# with_display.sh WIDTHxHEIGHT command... : runs the command on an X server of its own (24-bit
# screen) and exits with its status; the server ends with the command.
#
# Why not xvfb-run -a: it takes the first display without a lock file in /tmp, so servers killed
# earlier push it up, and a display whose socket another server holds (the abstract socket
# namespace is shared wider than /tmp) makes it try the next; after ten such tries it runs the
# command anyway, on a display nobody serves. Here the display is a random high number, the
# server takes a cookie of its own, and the command starts only once a client holding that cookie
# has been answered, so a server that is not ours, or not up, is never used: another display is
# tried instead.
set -u
screen="$1"
shift
dir=$(mktemp -d -t kv-display.XXXXXX)
export XAUTHORITY="$dir/auth"
server=
stop_server() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    server=
  fi
}
trap 'stop_server; rm -rf "$dir"' EXIT
trap 'exit 143' TERM INT

# start_server N: a server on display :N answering our cookie, or a failure.
start_server() {
  local n="$1" ready=
  [ -e "/tmp/.X$n-lock" ] && return 1
  : >"$XAUTHORITY"
  xauth -q add ":$n" . "$(mcookie)" || return 1
  # -noreset: the server would otherwise reset as the check's client leaves, while the command
  # connects. It writes the display number once it accepts connections.
  coproc XSERVER { exec Xvfb ":$n" -displayfd 1 -screen 0 "${screen}x24" -nolisten tcp -noreset \
                   -auth "$XAUTHORITY" 2>>"$dir/server.log"; }
  server=$XSERVER_PID
  read -r -t 30 -u "${XSERVER[0]}" ready || return 1
  [ "$ready" = "$n" ] || return 1
  xdpyinfo -display ":$n" >/dev/null 2>&1
}

for attempt in $(seq 10); do
  display=$((1000 + RANDOM % 20000))
  start_server "$display" && break
  stop_server
  if [ "$attempt" = 10 ]; then
    echo "with_display.sh: no X server of our own answered; the last one said:" >&2
    tail -n 5 "$dir/server.log" >&2
    exit 1
  fi
done
DISPLAY=":$display" "$@"
