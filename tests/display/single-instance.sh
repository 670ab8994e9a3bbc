#!/usr/bin/env bash
# A second start of the desktop program on the same display and screen size brings the first
# one's window forward and ends at once with 0; the first keeps running until its own EXIT.
#   usage: single-instance.sh BUILD_DIR
# Exits 77 (skipped) when Xvfb or xdotool are missing.
set -euo pipefail

build=${1:?usage: single-instance.sh BUILD_DIR}
. "$(dirname "$0")/xvfb.sh"
require_tools Xvfb xdotool cmake

work=$(mktemp -d)
xvfb=""
first=""
second=""
trap 'end_all "$second" "$first"' EXIT
fail() {
  echo "FAIL: $*"
  for f in first.trace first.stderr second.out second.stderr third.stderr; do
    [ -s "$work/$f" ] && { echo "-- $f:"; tail -20 "$work/$f"; }
  done
  exit 1
}

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || fail "cmake --install failed"
program="$work/prefix/bin/vortelle"

start_xvfb
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

"$program" --trace "$work/first.trace" 2>"$work/first.stderr" &
first=$!
window=$(timeout 15 xdotool search --sync --onlyvisible --pid "$first" | head -1) || fail "the first window did not appear"

# The second start: no window of its own, over within a couple of seconds, with 0 and silently.
"$program" >"$work/second.out" 2>"$work/second.stderr" &
second=$!
ended "$second" || fail "the second start still runs after 5 seconds"
status=0
wait "$second" || status=$?
second=""
[ "$status" -eq 0 ] || fail "the second start ended with exit code $status"
[ -s "$work/second.stderr" ] && fail "the second start wrote to standard error"
grep -q "window" "$work/second.out" && fail "the second start made a window of its own"
kill -0 "$first" 2>/dev/null || fail "the first instance ended when the second started"
[ "$(xdotool search --onlyvisible --name '^Vortelle$' | wc -l)" -eq 1 ] || fail "more than one window shows"
[ "$(xdotool getactivewindow 2>/dev/null || echo "$window")" = "$window" ] || fail "the first window is not in front"

# Another screen size is another phone: it runs a game of its own.
"$program" --screen 320x320 --trace /dev/null 2>"$work/third.stderr" &
third=$!
timeout 15 xdotool search --sync --onlyvisible --pid "$third" >/dev/null || { kill "$third"; fail "a 320x320 start made no window"; }
kill -TERM "$third"
wait "$third" || true

# The first ends with its own EXIT: F1, then Yes.
xdotool windowfocus --sync "$window" 2>/dev/null || true
exit_through_question "$first"
first=""
grep -q "quit 0" "$work/first.trace" || fail "the first instance's trace does not end with quit 0"

# With the first gone, the name is free again: a new start runs its own game.
"$program" --trace /dev/null 2>>"$work/third.stderr" &
first=$!
timeout 15 xdotool search --sync --onlyvisible --pid "$first" >/dev/null || fail "a start after the first ended made no window"
echo "PASS: a second start raised the first window and ended with 0; other screens and later starts run their own"
