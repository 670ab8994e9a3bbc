#!/usr/bin/env bash
# Checks the game's web page in headless Chromium (tests/web/page-test.mjs says what). It installs
# Debian's chromium when missing and the DevTools client that package-lock.json pins into
# build/web-test, and serves the page from the web build on a loopback port of its own.
# Usage: tests/web/page-test.sh [WEB_BUILD]   (default build/web, as scripts/web.sh --build-only
# leaves it)
set -euo pipefail
cd "$(dirname "$0")/../.."
web=${1:-build/web}
scripts/install-deps.sh --with-browser
client=build/web-test
if ! cmp -s tests/web/package-lock.json "$client/package-lock.json" || [ ! -d "$client/node_modules" ]; then
  rm -rf "$client"
  mkdir -p "$client"
  cp tests/web/package.json tests/web/package-lock.json "$client/"
  # Its install scripts would fetch a browser of its own; the test takes Debian's.
  (cd "$client" && npm ci --no-audit --no-fund --ignore-scripts)
fi
exec node tests/web/page-test.mjs "$web" "$client"
