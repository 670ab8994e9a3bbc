#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in a window. Extra arguments go to the
# program (for example --screen 320x320).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vortelle -j"$(nproc)"
exec build/default/vortelle "$@"
