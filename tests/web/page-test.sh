#!/usr/bin/env bash
# Checks the game's web page in headless Chromium (tests/web/page-test.mjs and phone-test.mjs say
# what). It installs Debian's chromium when missing and the DevTools client that
# package-lock.json pins into build/web-test, and serves the page from the web build on a loopback
# port of its own.
# Usage: tests/web/page-test.sh [WEB_BUILD]   (default build/web, as scripts/web.sh --build-only
# leaves it)
set -euo pipefail
cd "$(dirname "$0")/../.."
web=${1:-build/web}
. tests/web/browser-client.sh
node tests/web/page-test.mjs "$web" "$client"
# What phones' browsers do differently: other tabs, sound after the background, missing APIs.
exec node tests/web/phone-test.mjs "$web" "$client"
