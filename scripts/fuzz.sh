#!/usr/bin/env bash
# Runs every libFuzzer program of a fuzz tree (configured with clang and -DKV_FUZZ=ON, target
# "fuzzers" built): each file of the target's corpus once, then a short run that mutates that
# corpus. The targets run side by side. A crashing, leaking or hanging input is written to
# <tree>/fuzz-findings/<name>-crash-... (or -leak-, -timeout-, -oom-) with the report beside it,
# and the script ends non-zero; copy an input worth keeping into tests/fuzz/corpus/<name>/.
#
#   scripts/fuzz.sh <fuzz tree> [seconds per target, default 30]
#
# The short run starts from a fixed seed, so the same code meets the same inputs on every test
# run and a finding belongs to a change; open-ended runs are for the README's command.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:?usage: scripts/fuzz.sh <fuzz tree> [seconds per target]}
seconds=${2:-30}

export QT_QPA_PLATFORM=offscreen
# The font library's cache lives as long as the process: without the list, even an empty input
# ends the EMF target on a leak at exit.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0

findings=$tree/fuzz-findings
rm -rf "$findings"
mkdir -p "$findings"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# fuzz_one name program : replay, then mutate; the report goes to <findings>/<name>.log.
fuzz_one() {
  local name=$1 program=$2 corpus=tests/fuzz/corpus/$1 log=$findings/$1.log
  mkdir -p "$scratch/$name"
  # -timeout: an input that takes a minute is a hang, not a slow case; -seed: see above.
  "$program" -artifact_prefix="$findings/$name-" "$corpus"/* >"$log" 2>&1 &&
    "$program" -seed=1 -max_total_time="$seconds" -timeout=60 -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" "$scratch/$name" "$corpus" >>"$log" 2>&1
}

programs=("$tree"/tests/*_fuzzer)
if [ ! -x "${programs[0]}" ]; then
  echo "fuzz: no fuzzer programs in $tree/tests (build the target \"fuzzers\" of a -DKV_FUZZ=ON tree)"
  exit 2
fi

declare -A running=()
for program in "${programs[@]}"; do
  name=$(basename "$program" _fuzzer)
  fuzz_one "$name" "$program" &
  running[$name]=$!
done

status=0
for name in $(printf '%s\n' "${!running[@]}" | sort); do
  log=$findings/$name.log
  if wait "${running[$name]}"; then
    corpus_files=$(find "tests/fuzz/corpus/$name" -type f | wc -l)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "fuzz: $name: $corpus_files corpus files replayed, ${runs:-?} inputs in ${seconds} s, no finding"
  else
    status=1
    # A corpus file that fails is named in the log; a mutated input is written beside it.
    inputs=$(find "$findings" -name "$name-crash-*" -o -name "$name-leak-*" -o -name "$name-timeout-*" \
               -o -name "$name-oom-*")
    [ -n "$inputs" ] || inputs=$(sed -n 's/^Running: //p' "$log" | tail -1)
    echo "fuzz: $name FAILED on ${inputs:-an input the log names} (report: $log)"
    grep -E -A40 '^==[0-9]+==ERROR|runtime error|^==[0-9]+== ERROR: libFuzzer' "$log" | head -60 || tail -40 "$log"
  fi
done
exit "$status"
