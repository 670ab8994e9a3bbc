#!/usr/bin/env bash
# Measures the game's web page as a phone meets it, in headless Chromium, by hand (not part of CI):
# the first visit's bytes, the first frame on a slow phone over slow 4G, and the spinning arrow's
# frames and CPU at several CPU slowdowns, against the page's goals (phone-bench.mjs says what).
# It installs Debian's chromium when missing and the DevTools client the web tests pin, as
# tests/web/*.sh do, and serves the page on a loopback port of its own.
# Usage: bench/web/phone-bench.sh [WEB_BUILD] [--engines]   (default build/web, as
# scripts/web.sh --build-only leaves it; --engines adds each browser engine's CPU while spinning)
set -euo pipefail
web=""
options=()
for arg in "$@"; do
  case $arg in
    --engines) options+=("$arg") ;;
    -*)
      echo "usage: bench/web/phone-bench.sh [WEB_BUILD] [--engines]" >&2
      exit 2
      ;;
    *)
      [ -z "$web" ] || { echo "phone-bench.sh: one page folder only (got $web and $arg)" >&2; exit 2; }
      web=$(realpath -m "$arg")
      ;;
  esac
done
cd "$(dirname "$0")/../.."
web=${web:-build/web}
. tests/web/browser-client.sh
exec node bench/web/phone-bench.mjs "$web" "$client" "${options[@]}"
