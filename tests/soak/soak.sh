#!/usr/bin/env bash
# A bounded random soak of the game through the headless driver: scripts of random taps,
# strokes, keys and waits, with the answers, picture choices, menus and dialogs they lead to,
# made from a fixed seed for every screen profile (and a refused size) and several device
# models, played by BUILD_DIR's vortelle. It ends after EVENTS script lines in all, and fails
# on a crash, a hang, any output on standard error (a sanitizer's report) or an exit code
# other than 0. The scripts, traces and messages stay in BUILD_DIR/soak/.
# Usage: tests/soak/soak.sh BUILD_DIR [EVENTS] [SEED]   (defaults: 20000 events, seed 1)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -lt 1 ] || [ $# -gt 3 ]; then
  echo "usage: $0 BUILD_DIR [EVENTS] [SEED]" >&2
  exit 2
fi
program=$(cd "$1" && pwd)/vortelle
events=${2:-20000}
seed=${3:-1}
for number in "$events" "$seed"; do
  if ! [[ $number =~ ^[0-9]+$ ]]; then
    echo "soak.sh: '$number' is not a whole number" >&2
    exit 2
  fi
done
[ -x "$program" ] || { echo "soak.sh: no program $program" >&2; exit 2; }

work=$(dirname "$program")/soak
rm -rf "$work"
mkdir -p "$work/runs"

# The pictures a player may choose: good ones under odd names, damaged ones, an empty file, a
# folder and a file that does not exist.
pictures=$work/pictures
mkdir -p "$pictures/a folder.jpg"
data=$root/tests/data
cp "$data/picture_quarters.jpg" "$pictures/good.jpg"
cp "$data/picture_quarters.jpg" "$pictures/with  two spaces.jpg"
cp "$data/100% player pic.jpg" "$pictures/100% player pic.jpg"
cp "$data/picture_quarters.jpg" "$pictures/%s%n%x%%.jpg"
cp "$data/picture_quarters.jpg" "$pictures/사진 ünïcode.jpg"
cp "$root/fuzz/corpus/JpegDecoderFuzz/exif-ii.jpg" "$pictures/camera.jpg"
cp "$root/fuzz/corpus/PngDecoderFuzz/rgb.png" "$pictures/picture.png"
cp "$root/fuzz/corpus/BmpDecoderFuzz/rgb24.bmp" "$pictures/picture.bmp"
cp "$data/picture_broken.jpg" "$pictures/broken.jpg"
cp "$data/picture_truncated.jpg" "$pictures/truncated.jpg"
: >"$pictures/empty.jpg"
choices=()
for picture in "$pictures"/*; do choices+=("$picture"); done
choices+=("$pictures/missing.jpg" "$pictures/" "$pictures/good.jpg/")

# 480x748 plays by the 480x800 rules; 640x480 is refused (a box, then the end).
screens=(480x800 480x748 480x640 320x320 640x480)
# Two runs in seven the LED driver refuses every setting: the feedback's boxes come up, from the
# click workers too, and are answered.
refusing=(yes no no yes no no no)
# The models the feedback tells apart (SCH-M49.., SCH-M71.., X1i, ..H-M480..), one it does
# not know, and none.
models=(SCH-M490 SCH-M715 X1i SPH-M4800 TestPhone "")
perRun=400
perRefusedRun=10

# Bash's own generator, seeded: no process is started for a number.
RANDOM=$seed
pick() { n=$((RANDOM % $1)); }

# The rectangles a random point keeps out of, on the screen: the six players (a tap there may
# ask a question or open the file dialog, which the script answers only where it means to), the
# player-mode button (whose mode the script follows), the soft keys and the caption's OK.
layout() {
  local width=${screen%x*} height=${screen#*x} x0 y0 w h gap column i
  W=$width H=$height
  bar=52
  [ "$width" -lt 480 ] && [ "$height" -lt 480 ] && bar=26
  case $screen in
    480x800 | 480x748) x0=10 y0=460 w=70 h=90 gap=8 column=0 mode=(330 560 470 610) ;;
    480x640) x0=10 y0=400 w=70 h=90 gap=8 column=0 mode=(330 495 470 545) ;;
    320x320) x0=240 y0=1 w=79 h=40 gap=3 column=1 mode=(162 230 238 260) ;;
    *) x0=0 y0=0 w=0 h=0 gap=0 column=0 mode=(0 0 0 0) ;;
  esac
  # The players' rectangles, as left, top, right, bottom one after another.
  players=()
  for ((i = 0; i < 6; ++i)); do
    if [ $column -eq 1 ]; then
      players+=("$x0" $((bar + y0 + i * (h + gap))) $((x0 + w)) $((bar + y0 + i * (h + gap) + h)))
    else
      players+=($((x0 + i * (w + gap))) $((bar + y0)) $((x0 + i * (w + gap) + w)) $((bar + y0 + h)))
    fi
  done
  modeButton=("${mode[0]}" $((bar + mode[1])) "${mode[2]}" $((bar + mode[3])))
}

# Whether (px, py) lies in the rectangle L T R B (right and bottom outside it), grown by
# `margin` pixels on every side.
margin=0
inside() { ((px >= $1 - margin && px < $3 + margin && py >= $2 - margin && py < $4 + margin)); }
onModeButton() { inside "${modeButton[@]}"; }
onPlayer() {
  local i
  for ((i = 0; i < 24; i += 4)); do inside "${players[@]:i:4}" && return 0; done
  return 1
}
# Within two pixels of a rectangle's edge, where a miscounted pixel would change its meaning.
nearEdge() {
  local far near
  margin=2
  onPlayer || onModeButton
  far=$?
  margin=-2
  onPlayer || onModeButton
  near=$?
  margin=0
  [ $far -eq 0 ] && [ $near -ne 0 ]
}

# A point of the screen between the title bar and the soft keys: anywhere but near the players'
# and the player-mode button's edges (any), or away from them (safe).
point() {
  while true; do
    pick "$W"
    px=$n
    pick $((H - 2 * bar))
    py=$((bar + n))
    if [ "$1" = any ]; then
      nearEdge || return 0
    else
      margin=2
      onPlayer || onModeButton || { margin=0 && return 0; }
      margin=0
    fi
  done
}

line() {
  echo "$1" >>"$script"
  ((++count))
}

keyNames=(RETURN SELECT ESCAPE LEFT RIGHT UP DOWN A Z 5 0 CTRL+B CTRL+Z)
plainKey() {
  pick ${#keyNames[@]}
  line "key ${keyNames[n]}"
}
shortWait() {
  pick 300
  line "wait $n"
}
# One of two words.
either() {
  pick 2
  if [ $n -eq 0 ]; then word=$1; else word=$2; fi
}

# A tap anywhere: on the player-mode button it steps the mode, on a player in reset mode it
# asks (answered here), in picture mode it opens the file dialog (a choice or a cancel here).
tap() {
  point any
  if onModeButton; then
    playerMode=$(((playerMode + 1) % 3))
  elif onPlayer; then
    case $playerMode in
      1)
        either YES NO
        line "answer $word"
        ;;
      2)
        pick $((${#choices[@]} + 1))
        if [ $n -eq ${#choices[@]} ]; then line choose-cancel; else line "choose ${choices[n]}"; fi
        ;;
    esac
  fi
  line "tap $px $py"
}

# A stroke: down, maybe a wait or a key, up elsewhere; both ends away from the players.
stroke() {
  point safe
  line "down $px $py"
  pick 3
  case $n in
    0) shortWait ;;
    1) plainKey ;;
  esac
  point safe
  line "up $px $py"
}

exitAsked() {
  line "answer $1"
  pick 3
  case $n in
    0) line "key F1" ;;
    1) line "key CTRL+Q" ;;
    2)
      pick $((W / 2 - 4))
      line "tap $n $((H - bar / 2))"
      ;;
  esac
}

# HELP (its key or soft key) or Ctrl+A, a menu item by the keys, a few events in whatever opened,
# then the caption's OK or not, ESCAPE (which closes a menu, not a dialog) and RETURN (which
# ends a dialog, and on the board only spins): the main window has the focus again. Every point
# stays safe should nothing have opened.
help() {
  local i
  pick 3
  case $n in
    0) line "key F2" ;;
    1)
      pick $((W / 2 - 8))
      line "tap $((W / 2 + 4 + n)) $((H - bar / 2))"
      ;;
    2) line "key CTRL+A" ;;
  esac
  pick 3
  for ((i = n; i > 0; --i)); do
    either UP DOWN
    line "key $word"
  done
  either RETURN ESCAPE
  line "key $word"
  pick 4
  for ((i = n; i > 0; --i)); do
    pick 3
    case $n in
      0) shortWait ;;
      1)
        either LEFT A
        line "key $word"
        ;;
      2)
        point safe
        line "tap $px $py"
        ;;
    esac
  done
  either caption keys
  [ "$word" = caption ] && line "tap $((W - bar * 3 / 4)) $((bar / 2))"
  line "key ESCAPE"
  line "key RETURN"
}

event() {
  local roll
  pick 100
  roll=$n
  if [ "$roll" -lt 30 ]; then
    tap
  elif [ "$roll" -lt 45 ]; then
    stroke
  elif [ "$roll" -lt 52 ]; then
    point safe
    local from="$px $py"
    point safe
    line "drag $from $px $py"
  elif [ "$roll" -lt 65 ]; then
    plainKey
  elif [ "$roll" -lt 88 ]; then
    shortWait
  elif [ "$roll" -lt 90 ]; then
    pick 2000
    line "wait $((1000 + n))"
  elif [ "$roll" -lt 94 ]; then
    exitAsked NO
  else
    help
  fi
}

# The scripts first, so that the seed alone decides them.
total=0
runs=0
while [ "$total" -lt "$events" ]; do
  screen=${screens[runs % ${#screens[@]}]}
  model=${models[runs % ${#models[@]}]}
  layout
  budget=$perRun
  [ "${players[2]}" -eq 0 ] && budget=$perRefusedRun
  [ $((events - total)) -lt "$budget" ] && budget=$((events - total))
  script=$work/runs/$runs.script
  printf '%s\n%s\n%s\n' "$screen" "$model" "${refusing[runs % ${#refusing[@]}]}" >"$work/runs/$runs.options"
  : >"$script"
  count=0
  playerMode=0
  while [ "$count" -lt "$budget" ]; do event; done
  # Now and then the game ends with YES.
  [ $((runs % 4)) -eq 3 ] && exitAsked YES
  total=$((total + count))
  runs=$((runs + 1))
done

play() {
  local run=$1 screen model refuse status=0 leds=()
  { read -r screen; read -r model; read -r refuse; } <"$work/runs/$run.options"
  [ "$refuse" = yes ] && leds=(--refuse-leds)
  timeout -k 5 120 "$program" --headless --screen "$screen" --model "$model" "${leds[@]}" \
    --script "$work/runs/$run.script" --trace "$work/runs/$run.trace" 2>"$work/runs/$run.stderr" || status=$?
  if [ "$status" -ne 0 ] || [ -s "$work/runs/$run.stderr" ]; then
    echo "soak: run $run (--screen $screen --model '$model' ${leds[*]}) ended with $status" \
      "$([ "$status" -eq 124 ] && echo '(a hang)'): $work/runs/$run.script" >&2
    head -30 "$work/runs/$run.stderr" >&2
    return 1
  fi
}

# Two runs at a time; every run is played, and each failure named.
start=$SECONDS
failed=0
for ((run = 0; run < runs; ++run)); do
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || failed=1; done
  play "$run" &
done
while [ "$(jobs -rp | wc -l)" -gt 0 ]; do wait -n || failed=1; done
boxes=$(cat "$work"/runs/*.trace | grep -c ' box none [a-z]* ok "Error" "NLedSetDevice' || true)
echo "soak: $total events in $runs runs, seed $seed, $((SECONDS - start)) s; $boxes boxes of a refused LED answered"
exit "$failed"
