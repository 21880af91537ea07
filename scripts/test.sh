#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite (windows on Qt's
# offscreen platform), a short, fixed run of every fuzz target (3000 inputs
# from a fixed seed), and the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#
#   scripts/test.sh           everything, as CI runs it
#   scripts/test.sh --quick   only the normal build and its test suite
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir "$build" --output-on-failure -j2

if [[ ${1:-} == --quick ]]; then
  exit 0
fi
FUZZ_RUNS=${FUZZ_RUNS:-3000} scripts/fuzz.sh
scripts/sanitize.sh
