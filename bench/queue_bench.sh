#!/usr/bin/env bash
# Adding a folder of files and Remove All of its entries in the offscreen window,
# for each count given (20,000 and 100,000 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDABRELIN_BENCH=ON >/dev/null
cmake --build build-bench --target queue_bench -j"$(nproc)" >/dev/null
QT_QPA_PLATFORM=offscreen build-bench/bench/queue_bench "$@"
