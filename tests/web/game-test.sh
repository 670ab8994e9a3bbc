#!/usr/bin/env bash
# Plays the game in the web page in each browser engine (tests/web/game-test.mjs says what):
# Chromium, Firefox ESR and WebKitGTK, or those --engines names, with the browsers and client
# tests/web/browser-client.sh installs.
# Usage: tests/web/game-test.sh [--engines chromium,firefox,webkit] [WEB_BUILD [NATIVE_BUILD]]
# (default build/web and build/default, as scripts/web.sh --build-only leaves them)
set -euo pipefail
cd "$(dirname "$0")/../.."
engines=chromium,firefox,webkit
if [ "${1:-}" = --engines ]; then
  engines=$2
  shift 2
fi
web=${1:-build/web}
native=${2:-build/default}
. tests/web/browser-client.sh
in_each_engine tests/web/game-test.mjs "$web" "$native" "$client"
