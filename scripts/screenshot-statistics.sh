#!/usr/bin/env bash
# Makes docs/statistics-window.png: ten presses of the NEC sample's code
# generated with 2% jitter, opened in the main window under a virtual X
# display, and the statistics window over them.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${1:-docs/statistics-window.png}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target quorvel quorvel-cli catalogue
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
opens=()
for seed in $(seq 1 10); do
  "$build/bin/quorvel-cli" generate --format Form016 --code "00 FF 12 ED" --repeats 2 \
    --distort "jitter=2,seed=$seed" -o "$work/press-$seed.bin" >/dev/null
  opens+=(--open "$work/press-$seed.bin")
done
(cd "$work" && "$OLDPWD/scripts/in-virtual-desktop.sh" 1280x1024x24 \
  "$OLDPWD/$build/bin/quorvel" "${opens[@]}" --statistics --screenshot "$work/statistics.png")
cp "$work/statistics.png" "$out"
echo "wrote $out"
