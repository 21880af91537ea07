#!/usr/bin/env bash
# Makes docs/main-window.png: the main window under a virtual X display
# after opening the NEC sample capture.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${1:-docs/main-window.png}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target quorvel catalogue
mkdir -p "$(dirname "$out")"
# Run from a scratch folder so the error record lands there, not in the tree.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$OLDPWD/$build/bin/quorvel" --open "$OLDPWD/data/samples/nec-00-12.txt" \
  --screenshot "$work/main-window.png")
cp "$work/main-window.png" "$out"
echo "wrote $out"
