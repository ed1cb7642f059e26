#!/usr/bin/env bash
# with_display.sh WIDTHxHEIGHT command... : runs the command on an X server of its own (24-bit
# screen). The server picks a free display itself (-displayfd), so tests started at the same
# moment never take the same one. The command starts once the server answers a client; a server
# that does not is replaced (twice at most). Ends the server with the command; exits with its
# status.
set -u
screen="$1"
shift
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; [ -n "$server" ] && wait "$server" 2>/dev/null' EXIT
trap 'exit 143' TERM INT

start_server() {
  coproc XSERVER { exec Xvfb -displayfd 1 -screen 0 "${screen}x24" -nolisten tcp 2>/dev/null; }
  server=$XSERVER_PID
  read -r -t 30 -u "${XSERVER[0]}" display || return 1
  for _ in $(seq 100); do
    xdpyinfo -display ":$display" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

for attempt in 1 2 3; do
  start_server && break
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  server=
  if [ "$attempt" = 3 ]; then
    echo "with_display.sh: no X server answered" >&2
    exit 1
  fi
done
DISPLAY=":$display" "$@"
