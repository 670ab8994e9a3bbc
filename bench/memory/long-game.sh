#!/usr/bin/env bash
# A long game in the headless driver, by hand (not in CI): MINUTES of virtual time (default an
# hour) of starts, stops on the pin and the STOP button, strokes, the friction button and the
# three modes (spin, pick, bottle, a minute each in turn), with CHOICES picture choices (default
# 1000) of good pictures (JPEG, PNG, BMP) and broken ones (damaged, truncated, empty, missing),
# and some cancels, on each SCREEN (default 480x800; "all" for the three profiles). The driver's
# resident memory (VmRSS) is read from outside every 20 ms and set against the virtual time of
# the trace's last line. It prints, per screen, the resident memory of the driver with an empty
# script (its peak, the game started and nothing played), at the first minute, the most after it
# and the growth, and fails when that growth passes 10 %. Scripts, traces and samples stay in
# BUILD_DIR/memory/.
# Usage: bench/memory/long-game.sh BUILD_DIR [--minutes N] [--choices N] [--screens LIST|all]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
usage() { echo "usage: bench/memory/long-game.sh BUILD_DIR [--minutes N] [--choices N] [--screens LIST|all]" >&2; }

[ $# -ge 1 ] || { usage; exit 2; }
build=$1
shift
minutes=60
choices=1000
screens=480x800
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || { echo "long-game.sh: $1 needs a value" >&2; usage; exit 2; }
  case $1 in
    --minutes) minutes=$2 ;;
    --choices) choices=$2 ;;
    --screens) screens=$2 ;;
    *) echo "long-game.sh: unknown option $1" >&2; usage; exit 2 ;;
  esac
  shift 2
done
for number in "$minutes" "$choices"; do
  [[ $number =~ ^[1-9][0-9]*$ ]] || { echo "long-game.sh: '$number' is not a positive whole number" >&2; exit 2; }
done
[ "$minutes" -ge 2 ] || { echo "long-game.sh: --minutes must be at least 2 (growth is measured after the first)" >&2; exit 2; }
[ "$screens" = all ] && screens=480x800,480x640,320x320
program=$(cd "$build" 2>/dev/null && pwd)/vortelle || true
[ -x "$program" ] || { echo "long-game.sh: no program $build/vortelle (build it first)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "long-game.sh: needs GNU time for the empty script's peak (apt-get install time)" >&2; exit 2; }

work=$(dirname "$program")/memory
rm -rf "$work"
mkdir -p "$work"

# The pictures: good ones in each format, then damaged ones, an empty file and a missing one.
data=$root/tests/data
corpus=$root/fuzz/corpus
: >"$work/empty.jpg"
pictures=("$data/picture_quarters.jpg" "$data/100% player pic.jpg" "$corpus/JpegDecoderFuzz/exif-ii.jpg"
  "$corpus/JpegDecoderFuzz/progressive-grey.jpg" "$corpus/PngDecoderFuzz/rgb.png" "$corpus/BmpDecoderFuzz/rgb24.bmp"
  "$data/picture_broken.jpg" "$data/picture_truncated.jpg" "$work/empty.jpg" "$work/missing.jpg")

# The buttons of each screen, as the scenarios in tests/scenarios/game press them: the mode
# button (spin, pick, bottle), friction, the players' mode, the pin, a stroke across the board,
# the players' centres, and how a start and a stop are made besides Enter and the pin.
layout() {
  case $1 in
    480x800)
      setting="80 637" friction="240 637" playerMode="400 637" pin="240 282" stroke="100 150 160 150"
      players=("45 557" "123 557" "201 557" "279 557" "357 557" "435 557")
      startOther="tap 120 707" stopOther="tap 360 707"
      ;;
    480x640)
      setting="80 560" friction="240 560" playerMode="400 572" pin="240 252" stroke="100 150 160 150"
      players=("45 497" "123 497" "201 497" "279 497" "357 497" "435 497")
      startOther="key SELECT" stopOther="tap $pin"
      ;;
    320x320)
      setting="40 271" friction="120 271" playerMode="200 271" pin="130 153" stroke="60 100 120 100"
      players=("280 47" "280 90" "280 133" "280 176" "280 219" "280 262")
      startOther="key SELECT" stopOther="tap $pin"
      ;;
    *) echo "long-game.sh: no layout for screen $1 (480x800, 480x640, 320x320 or all)" >&2; exit 2 ;;
  esac
}

RANDOM=1
pick() { n=$((RANDOM % $1)); }

# The script of the whole game; `elapsed` counts the virtual time its waits take.
writeScript() {
  local minute made=0 due round elapsed=0
  {
    echo "# options: --screen $1 --model TestPhone"
    echo "tap $playerMode"
    echo "tap $playerMode"
    for ((minute = 0; minute < minutes; ++minute)); do
      # Spin, pick and bottle a minute each in turn; now and then another friction.
      [ "$minute" -gt 0 ] && echo "tap $setting"
      [ $((minute % 5)) -eq 4 ] && echo "tap $friction"
      due=$(((minute + 1) * choices / minutes - made))
      for ((round = 0; round < due; ++round)); do
        pick 3
        case $n in
          0) echo "key RETURN" ;;
          1) echo "$startOther" ;;
          2) echo "drag $stroke" ;;
        esac
        pick 1700
        echo "wait $((300 + n))"
        elapsed=$((elapsed + 300 + n))
        pick 3
        case $n in
          0) echo "tap $pin" ;;
          1) echo "$stopOther" ;;
        esac
        # A cancel now and then, besides the choices.
        pick 8
        if [ "$n" -eq 0 ]; then
          echo "choose-cancel"
          pick 6
          echo "tap ${players[n]}"
        fi
        pick ${#pictures[@]}
        echo "choose ${pictures[n]}"
        pick 6
        echo "tap ${players[n]}"
        echo "wait 200"
        elapsed=$((elapsed + 200))
      done
      made=$((made + due))
      [ "$elapsed" -lt $(((minute + 1) * 60000)) ] && echo "wait $(((minute + 1) * 60000 - elapsed))"
      elapsed=$(((minute + 1) * 60000 > elapsed ? (minute + 1) * 60000 : elapsed))
    done
  } >"$2"
}

# Plays SCRIPT on SCREEN and writes "virtual-ms rss-kB" a line to SAMPLES, every 20 ms.
playSampled() {
  local screen=$1 script=$2 trace=$3 samples=$4 pid key value last virtual
  : >"$trace"
  "$program" --headless --screen "$screen" --model TestPhone --script "$script" --trace "$trace" \
    2>"$trace.stderr" &
  pid=$!
  : >"$samples"
  while [ -r "/proc/$pid/status" ]; do
    value=""
    while read -r key value _; do
      [ "$key" = VmRSS: ] && break
    done <"/proc/$pid/status" 2>/dev/null || true
    last=$(tail -c 200 "$trace" | tail -n 1)
    virtual=${last%% *}
    [[ $virtual =~ ^[0-9]+$ ]] && [ -n "$value" ] && echo "$virtual $value" >>"$samples"
    sleep 0.02
  done
  wait "$pid" || { echo "long-game.sh: the driver failed on $screen: $(head -3 "$trace.stderr")" >&2; return 1; }
  [ -s "$trace.stderr" ] && { echo "long-game.sh: the driver wrote on $screen: $(head -3 "$trace.stderr")" >&2; return 1; }
  return 0
}

failed=0
for screen in ${screens//,/ }; do
  layout "$screen"
  script=$work/$screen.script
  writeScript "$screen" "$script"
  : >"$work/empty.script"
  baseline=$(/usr/bin/time -f %M "$program" --headless --screen "$screen" --model TestPhone \
    --script "$work/empty.script" --trace /dev/null 2>&1 >/dev/null)
  started=$SECONDS
  playSampled "$screen" "$script" "$work/$screen.trace" "$work/$screen.samples" || { failed=1; continue; }
  took=$((SECONDS - started))
  picked=$(grep -c ' file-dialog .* -> "' "$work/$screen.trace" || true)
  cancelled=$(grep -c ' file-dialog .* -> cancel' "$work/$screen.trace" || true)
  lastTime=$(tail -n 1 "$work/$screen.trace")
  lastTime=${lastTime%% *}
  read -r atMinute most samples < <(awk '$1 >= 60000 { if (!first) first = $2; if ($2 > most) most = $2; n++ }
    END { print first + 0, most + 0, n + 0 }' "$work/$screen.samples")
  echo "$screen: $picked pictures chosen, $cancelled cancels, $((lastTime / 60000)) min of play in ${took} s (real)"
  if [ "$samples" -lt 2 ]; then
    echo "$screen: too few samples after the first minute ($samples): the run was too quick to measure" >&2
    failed=1
    continue
  fi
  growth=$(awk -v a="$atMinute" -v b="$most" 'BEGIN { printf "%.1f", (b - a) * 100 / a }')
  echo "$screen: resident memory: empty script $baseline kB, at 1 min $atMinute kB," \
    "most after it $most kB ($samples samples), growth $growth %"
  if awk -v a="$atMinute" -v b="$most" 'BEGIN { exit !(b > a * 1.1) }'; then
    echo "$screen: FAILED: the resident memory grew by more than 10 % after the first minute" >&2
    failed=1
  fi
  [ "$picked" -ge "$choices" ] || { echo "$screen: FAILED: only $picked of $choices choices were made" >&2; failed=1; }
done
exit "$failed"
