#!/usr/bin/env bash
# Measures the desktop program on Xvfb, by hand (not part of CI):
#   - CPU of the idle program over 10 s                     goal < 0.1 % of a core
#   - CPU while the arrow spins (a 20 ms timer), over 5 s    goal < 3 %
#   - lateness of the 20 ms tick: median and worst           goal < 1 ms, < 5 ms
#   - time from start to the first frame shown              goal < 300 ms
#   - resident memory                                       goal < 60 MB
# usage: bench/desktop/measure.sh [PROGRAM] [extra options for the program]
# PROGRAM defaults to build/default/vortelle. Needs Xvfb and xdotool.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../../build/default/vortelle}
shift || true
. "$here/../../tests/display/xvfb.sh"
require_tools Xvfb xdotool
[ -x "$program" ] || { echo "no program at $program (build it first)"; exit 1; }

work=$(mktemp -d)
xvfb=""
game=""
cleanup() {
  # The program ends cleanly on TERM; the display must outlive it.
  [ -n "$game" ] && kill "$game" 2>/dev/null && wait "$game" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "$*"
  exit 1
}
start_xvfb

# CPU time of every thread of the process, in nanoseconds.
cpu_ns() {
  local total=0 t
  for t in /proc/"$game"/task/*/schedstat; do
    read -r run _ <"$t" 2>/dev/null || continue
    total=$((total + run))
  done
  echo "$total"
}
# Per cent of one core used over SECONDS.
cpu_over() {
  local before after
  before=$(cpu_ns)
  sleep "$1"
  after=$(cpu_ns)
  awk -v ns=$((after - before)) -v s="$1" 'BEGIN { printf "%.3f", ns / (s * 1e9) * 100 }'
}

launched=$(date +%s%N)
VORTELLE_TICK_LOG="$work/ticks" "$program" --trace /dev/null "$@" &
game=$!
window=$(timeout 15 xdotool search --sync --onlyvisible --pid "$game" | head -1)
mapped=$(date +%s%N)
sleep 2
first_frame_us=$(awk '$1 == "first-frame" { print $2; exit }' "$work/ticks")

idle=$(cpu_over 10)

# Spin: the OK key starts the arrow and every further press adds speed; keep it turning.
xdotool windowfocus --sync "$window" 2>/dev/null || true
: >"$work/ticks.spin"
start_line=$(wc -l <"$work/ticks")
xdotool key Return
sleep 0.5
before=$(cpu_ns)
for _ in 1 2 3 4 5; do
  xdotool key Return
  sleep 1
done
after=$(cpu_ns)
spin=$(awk -v ns=$((after - before)) 'BEGIN { printf "%.2f", ns / 5e9 * 100 }')
tail -n +"$((start_line + 1))" "$work/ticks" | awk '$1 == "tick" { print $2 }' | sort -n >"$work/ticks.spin"
ticks=$(wc -l <"$work/ticks.spin")
median_us=$(awk '{ a[NR] = $1 } END { if (NR) print a[int((NR + 1) / 2)]; else print "n/a" }' "$work/ticks.spin")
worst_us=$(tail -1 "$work/ticks.spin")
rss_kb=$(awk '/^VmRSS/ { print $2 }' /proc/"$game"/status)
hwm_kb=$(awk '/^VmHWM/ { print $2 }' /proc/"$game"/status)

echo "program:               $program $*"
echo "idle CPU (10 s):       $idle % of a core        (goal < 0.1)"
echo "spinning CPU (5 s):    $spin % of a core        (goal < 3)"
echo "20 ms ticks seen:      $ticks"
echo "tick lateness:         median ${median_us} us, worst ${worst_us:-n/a} us   (goal < 1000, < 5000)"
echo "first frame:           $((first_frame_us / 1000)) ms after start; window mapped $(((mapped - launched) / 1000000)) ms after launch   (goal < 300)"
echo "resident memory:       $((rss_kb / 1024)) MB now, $((hwm_kb / 1024)) MB peak   (goal < 60)"
