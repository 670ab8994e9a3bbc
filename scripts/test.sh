#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, then the same tests
# built with the address and undefined-behaviour sanitizers and with the thread sanitizer, the
# fuzz targets for 30 s each and random soaks of the sanitizer builds' drivers; then the
# headless driver built in
# WebAssembly must play every scenario as the native one does, and the web page and the game on
# it are checked in Chromium, Firefox ESR and WebKitGTK.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --with-display-tests --with-fuzz
jobs=$(nproc)
# The thread sanitizer stops a program at its first report, which fails its test.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1${TSAN_OPTIONS:+ $TSAN_OPTIONS}"
for preset in default sanitize thread; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
  ctest --preset "$preset" -j"$jobs"
done
echo "== fuzz"
scripts/fuzz.sh 30
echo "== soak"
tests/soak/soak.sh build/sanitize 100000
tests/soak/soak.sh build/thread 5000
echo "== web"
scripts/web.sh --build-only
tests/web/compare-native-wasm.sh build/default build/web
tests/web/page-test.sh build/web
tests/web/game-test.sh build/web build/default
