#!/usr/bin/env bash
# Builds the program and starts its main window on its built-in defaults.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build"
exec "$build/bin/quorvel"
