#!/usr/bin/env bash
# Builds the program and starts its main window, with a simulated receiver
# unit on COM1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build"

# No receiver unit needed: quorvel-sim plays one on a pseudo-terminal, sending
# the shipped NEC key press every few seconds once the window polls it, and
# the window takes that device as COM1. It stops when the window closes.
sim_log=$(mktemp)
"$build/bin/quorvel-sim" --repeat 4000 "$build/bin/samples/nec-00-12.txt" >"$sim_log" </dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; rm -f "$sim_log"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
for _ in $(seq 100); do
  [ -s "$sim_log" ] && break
  sleep 0.05
done
device=$(head -n 1 "$sim_log")
if [ -z "$device" ]; then
  echo "run.sh: quorvel-sim did not start" >&2
  exit 1
fi
"$build/bin/quorvel" --port "COM1=$device" "$@"
