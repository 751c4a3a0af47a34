#!/usr/bin/env bash
# Sets up, builds and starts the tool against the simulated unit, with the log window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run: no display found; using Qt's offscreen platform (the window is invisible, the log shows the tool at work)"
  export QT_QPA_PLATFORM=offscreen
fi
exec build/bin/strobix-upgrade -s -l "$@"
