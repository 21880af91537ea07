#!/usr/bin/env bash
# Remakes every picture in docs/ in one go: the main window, the scan and
# statistics windows, the waveform pictures and the secondary windows, each
# on a virtual display with a window manager running.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v openbox >/dev/null; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get install -y -qq --no-install-recommends openbox
fi
scripts/screenshot-main.sh
scripts/screenshot-statistics.sh
scripts/screenshot-windows.sh
