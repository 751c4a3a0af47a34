#!/usr/bin/env bash
# Configures and builds into build/ (the executable is build/bin/strobix-upgrade).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build build --parallel "$(nproc)"
