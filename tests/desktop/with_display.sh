#!/usr/bin/env bash
# with_display.sh WIDTHxHEIGHT command... : runs the command on an X server of its own (24-bit
# screen) and exits with its status; the server ends with the command, and so does every process
# the command started, whether it passed, failed or was stopped.
#
# Why not xvfb-run -a: it takes the first display without a lock file in /tmp, so servers killed
# earlier push it up, and a display whose socket another server holds (the abstract socket
# namespace is shared wider than /tmp) makes it try the next; after ten such tries it runs the
# command anyway, on a display nobody serves. Here the display is a random high number, the
# server takes a cookie of its own, and the command starts only once a client holding that cookie
# has been answered, so a server that is not ours, or not up, is never used: another display is
# tried instead.
#
# The command leads a process group of its own. Whatever it starts joins that group and stays in
# it when its parent goes (a bus whose launcher was killed, a helper started from a shell), so
# what is left of the group when the command ends, or when this script is stopped, is ended here.
# ctest ends a test that runs too long with SIGKILL, sent to the processes it finds below the
# test through their parents: an orphan is not among them, and no trap runs here. For that case a
# watcher outside the test's tree holds the read end of a pipe that only this script writes to,
# and ends the group and the server once the pipe closes without this script having said it ended
# them itself.
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
group=
# group_alive ID: a process of group ID is still running (an orphan that ended may stay a zombie
# for a while before the system's first process collects it).
group_alive() {
  ps -A -o pgid=,stat= | awk -v id="$1" '$1 == id && $2 !~ /^Z/ { found = 1 } END { exit !found }'
}
end_group() {
  [ -n "$group" ] || return 0
  # Asked first, as a bus or a window manager expects; what is still there a second later is killed.
  if kill -TERM -- "-$group" 2>/dev/null; then
    for _ in $(seq 20); do
      group_alive "$group" || break
      sleep 0.05
    done
    kill -KILL -- "-$group" 2>/dev/null
  fi
  group=
  trap '' PIPE
  echo ended >&9 2>/dev/null
}
trap 'end_group; stop_server; rm -rf "$dir"' EXIT
trap 'exit 143' TERM INT

# watch_group: reads the group's id and the server's pid, then waits for "ended"; the pipe
# closing first means this script was killed, and both are ended.
watch_group() {
  local id xserver said=
  read -r id xserver || return 0
  read -r said
  [ "$said" = ended ] && return 0
  kill -KILL -- "-$id" 2>/dev/null
  kill "$xserver" 2>/dev/null
}

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
# The watcher's own subshell ends at once, leaving it outside the tree ctest kills; it ignores
# the terminal's Ctrl+C (this script ends the group then) and holds no output of ours.
exec 9> >( (trap '' INT TERM HUP; watch_group) <&0 >/dev/null 2>&1 & )
# setsid makes the command the leader of a new session and process group, whose id is its pid.
DISPLAY=":$display" setsid "$@" 9>&- &
group=$!
echo "$group $server" >&9
wait "$group"

