#!/usr/bin/env bash
# Runs a test program of the desktop back end on an Xvfb display of its own.
#   usage: run-under-xvfb.sh PROGRAM [ARGUMENTS...]
# Exits 77 (skipped) when Xvfb is missing.
set -euo pipefail

. "$(dirname "$0")/xvfb.sh"
require_tools Xvfb

work=$(mktemp -d)
xvfb=""
trap 'end_all' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

start_xvfb
# Leaks of the display and audio libraries at exit are theirs, not ours (sanitizer builds).
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
"$@"
