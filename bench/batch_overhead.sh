#!/usr/bin/env bash
# The conversion driver's overhead per file beyond the transcoder's own time,
# and its own CPU per file: with a stand-in that writes a log like the real
# transcoder's over about a second (10 files), and with the real transcoder on
# 1-second WAVs (30 files), once with the outputs on the disk of TMPDIR and
# once on tmpfs, where syncing them to disk costs nothing: the two "run alone"
# figures (the transcoder's own time per file) differ mostly by what its fsync
# costs. Then the gap between files while 10, 1,000, 20,000 and 100,000
# entries wait in the list, outputs present, over the first 30 files.
#
# Usage: bench/batch_overhead.sh [build folder, default build-bench]
#        bench/batch_overhead.sh gap [QUEUED ...]   the gaps alone, in build-bench,
#                                                  at the given queue lengths
set -euo pipefail
cd "$(dirname "$0")/.."
gapsOnly=false
queues=(10 1000 20000 100000)
if [[ ${1:-} == gap ]]; then
  gapsOnly=true
  shift
  (($#)) && queues=("$@")
  set --
fi
build=${1:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDABRELIN_BENCH=ON >/dev/null
cmake --build "$build" --target batch_overhead conv -j"$(nproc)" >/dev/null
bench=$build/bench/batch_overhead
conv=$(realpath "$build/bin/data/conv")

if ! $gapsOnly; then
  "$bench" standin 10 60 || true
  "$bench" real 30 60 "$conv" || true
  if [ -d /dev/shm ]; then
    echo "outputs on tmpfs:"
    TMPDIR=/dev/shm "$bench" real 30 60 "$conv" || true
  fi
fi
for queued in "${queues[@]}"; do
  "$bench" gap "$queued" 30 || true
done
