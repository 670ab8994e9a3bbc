#!/usr/bin/env bash
# Plays the game in the web page in headless Chromium (tests/web/game-test.mjs says what), with
# the DevTools client tests/web/page-test.sh installs.
# Usage: tests/web/game-test.sh [WEB_BUILD [NATIVE_BUILD]]   (default build/web and build/default,
# as scripts/web.sh --build-only leaves them)
set -euo pipefail
cd "$(dirname "$0")/../.."
web=${1:-build/web}
native=${2:-build/default}
scripts/install-deps.sh --with-browser
client=build/web-test
if ! cmp -s tests/web/package-lock.json "$client/package-lock.json" || [ ! -d "$client/node_modules" ]; then
  rm -rf "$client"
  mkdir -p "$client"
  cp tests/web/package.json tests/web/package-lock.json "$client/"
  # Its install scripts would fetch a browser of its own; the test takes Debian's.
  (cd "$client" && npm ci --no-audit --no-fund --ignore-scripts)
fi
exec node tests/web/game-test.mjs "$web" "$native" "$client"
