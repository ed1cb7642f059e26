#!/usr/bin/env bash
# with_display.sh WIDTHxHEIGHT command... : runs the command on an X server of its own (24-bit
# screen). The server picks a free display itself (-displayfd), so tests started at the same
# moment never take the same one. Ends the server with the command; exits with its status.
set -u
screen="$1"
shift
coproc XSERVER { exec Xvfb -displayfd 1 -screen 0 "${screen}x24" -nolisten tcp 2>/dev/null; }
server=$XSERVER_PID
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null' EXIT
trap 'exit 143' TERM INT
if ! read -r -t 30 -u "${XSERVER[0]}" display; then
  echo "with_display.sh: the X server did not start" >&2
  exit 1
fi
DISPLAY=":$display" "$@"
