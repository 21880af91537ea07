#!/usr/bin/env bash
# Makes docs/main-window.png (the main window under a virtual X display
# after opening the NEC sample capture), docs/main-window-small.png (the
# same at 640 x 480), docs/scan-window.png (the scan window over the same
# capture), and of the waveform: docs/waveform-failing.png (the sample with
# one customer-code gap spoiled), docs/waveform-dark.png (the sample on a
# dark theme) and docs/waveform-scale2.png (at scale factor 2).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${1:-docs/main-window.png}
scan_out=${2:-docs/scan-window.png}
small_out=${3:-docs/main-window-small.png}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target quorvel catalogue
mkdir -p "$(dirname "$out")" "$(dirname "$scan_out")"
# Run from a scratch folder so the error record lands there, not in the tree.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shot() {
  (cd "$work" && "$OLDPWD/scripts/in-virtual-desktop.sh" 1280x1024x24 \
    "$OLDPWD/$build/bin/quorvel" --open "$OLDPWD/data/samples/nec-00-12.txt" "$@")
}
shot --screenshot "$work/main-window.png"
shot --scan --screenshot "$work/scan-window.png"
shot --size 640x480 --screenshot "$work/main-window-small.png"
cp "$work/main-window.png" "$out"
cp "$work/scan-window.png" "$scan_out"
cp "$work/main-window-small.png" "$small_out"
docs=$(cd "$(dirname "$out")" && pwd)
sed '5s/.*/562 1200/' data/samples/nec-00-12.txt >"$work/nec-failing.txt"
(cd "$work" && "$OLDPWD/scripts/in-virtual-desktop.sh" 1280x1024x24 \
  "$OLDPWD/$build/bin/quorvel" --open "$work/nec-failing.txt" --screenshot "$docs/waveform-failing.png")
shot --dark --screenshot "$docs/waveform-dark.png"
(cd "$work" && QT_SCALE_FACTOR=2 "$OLDPWD/scripts/in-virtual-desktop.sh" 2560x2048x24 \
  "$OLDPWD/$build/bin/quorvel" --open "$OLDPWD/data/samples/nec-00-12.txt" \
  --screenshot "$docs/waveform-scale2.png")
echo "wrote $out, $small_out, $scan_out and the waveform pictures in $docs"
