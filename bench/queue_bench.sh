#!/usr/bin/env bash
# Adding a folder of 20,000 files and Remove All of 20,000 entries in the offscreen window.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDABRELIN_BENCH=ON >/dev/null
cmake --build build-bench --target queue_bench -j"$(nproc)" >/dev/null
QT_QPA_PLATFORM=offscreen build-bench/bench/queue_bench
