#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it on the desktop.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
# Paths relative to the checkout, so a fresh clone reuses the compiler cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target korvalin
exec ./build/korvalin
