#!/usr/bin/env bash
# The conversion driver's overhead per file (50 files, a transcoder that ends at once).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDABRELIN_BENCH=ON >/dev/null
cmake --build build-bench --target batch_overhead -j"$(nproc)" >/dev/null
build-bench/bench/batch_overhead
