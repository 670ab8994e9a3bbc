#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, then the same tests
# built with the address and undefined-behaviour sanitizers, the fuzz targets for 30 s each and
# a random soak of the sanitizer build's driver; then the headless driver built in
# WebAssembly must play every scenario as the native one does, and the web page and the game on
# it are checked in Chromium, Firefox ESR and WebKitGTK.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --with-display-tests --with-fuzz
jobs=$(nproc)
for preset in default sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
  ctest --preset "$preset" -j"$jobs"
done
echo "== fuzz"
scripts/fuzz.sh 30
echo "== soak"
tests/soak/soak.sh build/sanitize
echo "== web"
scripts/web.sh --build-only
tests/web/compare-native-wasm.sh build/default build/web
tests/web/page-test.sh build/web
tests/web/game-test.sh build/web build/default
