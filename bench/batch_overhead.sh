#!/usr/bin/env bash
# The conversion driver's overhead per file beyond the transcoder's own time,
# and its own CPU per file: with a stand-in that writes a log like the real
# transcoder's over about a second (10 files), and with the real transcoder on
# 1-second WAVs (30 files). Both are run twice: alone, and while three other
# processes named "conv" (unrelated to the batch) run on the machine.
#
# Usage: bench/batch_overhead.sh [build folder, default build-bench]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDABRELIN_BENCH=ON >/dev/null
cmake --build "$build" --target batch_overhead conv -j"$(nproc)" >/dev/null
bench=$build/bench/batch_overhead
conv=$(realpath "$build/bin/data/conv")

run_both() {
  "$bench" standin 10 60 || true
  "$bench" real 30 60 "$conv" || true
}

echo "== no other process named conv"
run_both

others=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$others"
}
trap cleanup EXIT
cp "$(command -v sleep)" "$others/conv"
for _ in 1 2 3; do
  "$others/conv" 3600 &
  pids+=($!)
done
echo "== with three other processes named conv"
run_both
