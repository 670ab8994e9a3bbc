#!/usr/bin/env bash
# Checks the game's web page in each browser engine (tests/web/page-test.mjs says what):
# Chromium, Firefox ESR and WebKitGTK, or those --engines names; then, in Chromium, what phones'
# browsers do differently (tests/web/phone-test.mjs). It installs the browsers when missing and
# the client that package-lock.json pins into build/web-test, and serves the page from the web
# build on a loopback port of its own.
# Usage: tests/web/page-test.sh [--engines chromium,firefox,webkit] [WEB_BUILD]   (default build/web,
# as scripts/web.sh --build-only leaves it)
set -euo pipefail
cd "$(dirname "$0")/../.."
engines=chromium,firefox,webkit
if [ "${1:-}" = --engines ]; then
  engines=$2
  shift 2
fi
web=${1:-build/web}
. tests/web/browser-client.sh
in_each_engine tests/web/page-test.mjs "$web" "$client"
# Other tabs, sound after the background, missing APIs: Chromium's protocol drives several tabs
# of one profile and takes APIs away before the page runs.
if [[ ,$engines, == *,chromium,* ]]; then
  node tests/web/phone-test.mjs "$web" "$client"
fi
