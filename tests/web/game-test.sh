#!/usr/bin/env bash
# Plays the game in the web page in headless Chromium (tests/web/game-test.mjs says what), with
# the DevTools client tests/web/page-test.sh installs.
# Usage: tests/web/game-test.sh [WEB_BUILD [NATIVE_BUILD]]   (default build/web and build/default,
# as scripts/web.sh --build-only leaves them)
set -euo pipefail
cd "$(dirname "$0")/../.."
web=${1:-build/web}
native=${2:-build/default}
. tests/web/browser-client.sh
exec node tests/web/game-test.mjs "$web" "$native" "$client"
