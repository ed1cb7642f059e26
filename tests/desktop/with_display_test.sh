#!/usr/bin/env bash
# with_display.sh ends every process its command started: one left behind by a parent that ended
# (as an accessibility bus outlives its killed launcher), one that ignores SIGTERM, and everything,
# its X server included, when the wrapper itself is killed (as ctest kills a test that runs too
# long). Prints what it checked and exits non-zero when something was left running.
set -u
wrapper="$(cd "$(dirname "$0")" && pwd)/with_display.sh"
export KV_LEFT_TAG="kv-left-behind-$$-$RANDOM"
passed=0 failures=0
fail() {
  echo "FAILED: $1"
  failures=$((failures + 1))
}
pass() {
  echo "ok: $1"
  passed=$((passed + 1))
}

# Processes carrying the tag in their name (the tag is never in the commands written here).
left() { pgrep -f -- "$KV_LEFT_TAG" | tr '\n' ' '; }
# gone PID...: all of them have ended within 5 seconds.
gone() {
  for _ in $(seq 100); do
    local alive=
    for pid in "$@"; do
      [ "$(ps -o stat= -p "$pid" 2>/dev/null)" ] && [[ $(ps -o stat= -p "$pid") != Z* ]] && alive=1
    done
    [ -z "$alive" ] && return 0
    sleep 0.05
  done
  return 1
}
check() {
  local what=$1 still
  still=$(left)
  if [ -n "$still" ]; then
    fail "$what: left running: $still"
    kill -KILL $still 2>/dev/null
  else
    pass "$what"
  fi
}

# The command ends, with its status, and leaves a process whose parent has gone.
"$wrapper" 64x64 bash -c '(exec -a "$KV_LEFT_TAG" sleep 300 &); exit 3'
status=$?
if [ "$status" = 3 ]; then pass "the command's status"; else fail "the command's status 3 came back as $status"; fi
check "an orphan of a command that ended"

# One that ignores the request to end is killed.
"$wrapper" 64x64 bash -c '(trap "" TERM; exec -a "$KV_LEFT_TAG" sleep 300 &); sleep 0.1'
check "an orphan that ignores SIGTERM"

# The wrapper killed outright while its command runs: the command, the orphan and the X server end.
"$wrapper" 64x64 bash -c '(exec -a "$KV_LEFT_TAG" sleep 300 &); exec -a "$KV_LEFT_TAG" sleep 300' &
wrapper_pid=$!
for _ in $(seq 200); do [ "$(left | wc -w)" = 2 ] && break; sleep 0.05; done
children=$(pgrep -P "$wrapper_pid" | tr '\n' ' ')
kill -KILL "$wrapper_pid"
wait "$wrapper_pid" 2>/dev/null
# shellcheck disable=SC2086
if gone $children; then
  pass "the wrapper's own children (the server among them) when it is killed"
else
  fail "the wrapper's own children outlived it: $children"
  kill -KILL $children 2>/dev/null
fi
for _ in $(seq 100); do [ -z "$(left)" ] && break; sleep 0.05; done
check "the command and its orphan when the wrapper is killed"

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
