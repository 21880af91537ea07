#!/usr/bin/env bash
# Runs a command on a virtual X display with a window manager (openbox)
# running, as on a user's desktop: windows are placed, decorated and
# activated by it, not by the program alone.
#   scripts/in-virtual-desktop.sh WxHxDEPTH COMMAND [ARG]...
set -euo pipefail
screen=$1
shift
if ! command -v openbox >/dev/null; then
  echo "in-virtual-desktop.sh: openbox is missing (scripts/screenshots.sh installs it)" >&2
  exit 1
fi
exec xvfb-run -a -s "-screen 0 $screen" bash -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 0.5
  rc=0
  "$@" || rc=$?
  kill "$wm" 2>/dev/null || true
  exit "$rc"' in-virtual-desktop "$@"
