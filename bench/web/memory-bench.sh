#!/usr/bin/env bash
# The page's memory over many picture choices, by hand (not part of CI): CHOICES pictures (default
# 200), good and broken, given to the players through the file chooser in headless Chromium; it
# fails when the module's memory after them is larger than after the first 20, or when a choice
# does not repaint its player's button (memory-bench.mjs says what). It installs Debian's chromium
# when missing and the DevTools client the web tests pin, as tests/web/*.sh do, and serves the
# page on a loopback port of its own.
# Usage: bench/web/memory-bench.sh [WEB_BUILD [NATIVE_BUILD [CHOICES]]]   (default build/web and
# build/default, as scripts/web.sh --build-only leaves them; the native build gives the game's JPEGs)
set -euo pipefail
if [ $# -gt 3 ] || [[ ${1:-} == -* ]]; then
  echo "usage: bench/web/memory-bench.sh [WEB_BUILD [NATIVE_BUILD [CHOICES]]]" >&2
  exit 2
fi
web=$(realpath -m "${1:-build/web}")
native=$(realpath -m "${2:-build/default}")
choices=${3:-200}
cd "$(dirname "$0")/../.."
[ -e "$web/vortelle.wasm" ] || { echo "memory-bench.sh: no page in $web (scripts/web.sh --build-only)" >&2; exit 2; }
[ -e "$native/img/char_01.jpg" ] || { echo "memory-bench.sh: no game pictures in $native/img (build the native game)" >&2; exit 2; }
# Chromium alone: browser-client.sh installs the engines this names.
# shellcheck disable=SC2034
engines=chromium
. tests/web/browser-client.sh
exec node bench/web/memory-bench.mjs "$web" "$native" "$client" "$choices"
