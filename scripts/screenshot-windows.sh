#!/usr/bin/env bash
# Makes docs/window-format-editor.png, docs/window-code-recording.png,
# docs/window-error-record.png, docs/window-analyse.png and
# docs/window-protocols.png: the secondary windows under a virtual X
# display, filled as a user sees them.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${1:-docs}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target quorvel-window-shots
mkdir -p "$out"
out=$(cd "$out" && pwd)
# Run from a scratch folder so nothing lands in the tree but the pictures.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$OLDPWD/scripts/in-virtual-desktop.sh" 1280x1024x24 \
  "$OLDPWD/$build/bin/quorvel-window-shots" "$out")
