#!/usr/bin/env bash
# Sets up the machine, builds a release tree (build/), a sanitizer tree (build-san/) and the fuzz
# programs (build-fuzz/, clang), runs every test in the first two and each fuzz program briefly.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
# The print queue the printing tests print to (they skip without it).
source scripts/cups.sh
# Paths relative to the checkout, so a fresh clone reuses the compiler cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
# Precompiled headers are hashed as their own files; their build times and defines must not be.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Each step is announced with the time of day, so a slow run shows where its minutes went.
step() { echo "== $* ($(date +%T))"; }

step release build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_BENCH=ON -DKV_DISPLAY_TEST_SLOTS=2 >/dev/null
cmake --build build -j"$jobs"

# The release tests run while the sanitizer and fuzz trees build: most of their time is the
# real-desktop cases, two at a time, waiting for what they drive to show, which leaves the
# processors to the compiler. Their report is printed when the builds are done.
step release tests, while the sanitizer and fuzz trees build
{
  status=0
  ctest --test-dir build --output-on-failure -j"$jobs" || status=$?
  step release tests ended
  exit "$status"
} > build/release-tests.log 2>&1 &
release_tests=$!
trap 'kill "$release_tests" 2>/dev/null || true' EXIT

step sanitizer build
# The sanitizer tree instruments the libraries, tools and program, and links the release tree's
# objects of the test code (built once, in the release tree). Its tests run when nothing else does,
# two cases on X servers of their own at a time.
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_SANITIZE=ON -DKV_BUILD_BENCH=OFF \
  -DKV_TEST_OBJECTS_FROM="$PWD/build" -DKV_DISPLAY_TEST_SLOTS=2 >/dev/null
cmake --build build-san -j"$jobs"

step fuzz build
# The fuzz targets as libFuzzer programs (clang): only they and the libraries they link are built,
# every one of those with coverage counters and the checks.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_FUZZ=ON -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzzers

step release tests
release_status=0
wait "$release_tests" || release_status=$?
trap - EXIT
cat build/release-tests.log
if [ "$release_status" -ne 0 ]; then
  echo "== release tests failed"
  exit "$release_status"
fi

step sanitizer tests
ctest --test-dir build-san --output-on-failure -j"$jobs"

step fuzz runs
# Each fuzz program replays its corpus, then mutates it for 30 seconds from a fixed seed.
scripts/fuzz.sh build-fuzz 30

step benchmarks start
./build/bench/korvalin-bench --benchmark_list_tests >/dev/null

step all tests passed
