#!/usr/bin/env bash
# Builds the program (optimised, as scripts/run.sh does) and prints the
# benchmark figures: loading, decodes, automatic selection, the waveform's
# line list, the main window's capture tick and the serial road.
#   scripts/bench.sh [google-benchmark options, e.g. --benchmark_repetitions=5]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target decode_bench window_tick_bench capture_road_bench
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for b in decode_bench window_tick_bench capture_road_bench; do
  "$build/bin/$b" "$@"
done
