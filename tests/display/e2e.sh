#!/usr/bin/env bash
# The desktop program end to end, as a person would use it: installed into a temporary prefix,
# started under Xvfb, played with xdotool, looked at through screen captures.
#   usage: e2e.sh BUILD_DIR
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick's import/stream are missing.
set -euo pipefail

build=${1:?usage: e2e.sh BUILD_DIR}
. "$(dirname "$0")/xvfb.sh"
require_tools Xvfb xdotool import stream cmake

work=$(mktemp -d)
xvfb=""
game=""
trap 'end_all "$game"' EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$work/trace" ] && { echo "-- trace (last lines):"; tail -20 "$work/trace"; }
  [ -f "$work/stderr" ] && { echo "-- standard error:"; cat "$work/stderr"; }
  exit 1
}

# Install, as a user would.
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || fail "cmake --install failed"
program="$work/prefix/bin/vortelle"
[ -x "$program" ] || fail "no vortelle command in $work/prefix/bin"
[ -f "$work/prefix/lib/vortelle/img/char_01.jpg" ] || fail "the player pictures were not installed beside the program"
# The desktop finds the entry, the metadata and the icon by the one id.
share=$work/prefix/share
id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$share"/metainfo/*.metainfo.xml)
[ -f "$share/applications/$id.desktop" ] || fail "no desktop entry $id.desktop beside the metadata of $id"
icon=$(sed -n 's/^Icon=//p' "$share/applications/$id.desktop")
[ "$icon" = "$id" ] && [ -f "$share/icons/hicolor/64x64/apps/$icon.png" ] || fail "the desktop entry's icon $icon is not installed"

start_xvfb

# The reference: the same start on the in-memory screen.
echo "screenshot $work/reference.png" >"$work/reference.script"
"$program" --headless --script "$work/reference.script" --trace /dev/null || fail "the headless run failed"

# Leaks of the display and audio libraries at exit are theirs, not ours (sanitizer builds).
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
"$program" --trace "$work/trace" 2>"$work/stderr" &
game=$!
window=$(timeout 15 xdotool search --sync --onlyvisible --pid "$game" | head -1) || fail "no window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
scale=$((WIDTH / 480))
[ "$scale" -ge 1 ] && [ "$HEIGHT" -eq $((800 * scale)) ] || fail "window is ${WIDTH}x${HEIGHT}, not the phone's 480x800 scaled"
xdotool windowfocus --sync "$window" 2>/dev/null || true

# Screen point (x, y) of the phone, and the captures of its board area.
point() { echo $(($1 * scale + scale / 2)) $(($2 * scale + scale / 2)); }
capture() { import -window "$window" -resize "480x800!" -filter point "$work/$1.png"; }
# The main window's client area without the title bar and the menu bar: the board and buttons.
board() { stream -map rgb -storage-type char -extract 480x696+0+52 "$work/$1.png" "$work/$1.rgb"; }
differing() { { cmp -l "$work/$1.rgb" "$work/$2.rgb" 2>/dev/null || true; } | wc -l; }

sleep 0.5
capture start
board start
cp "$work/reference.png" "$work/ref.png"
board ref
changed=$(differing start ref)
# The window shows what the phone's screen holds: the same pixels as the headless screenshot.
[ "$changed" -le 3000 ] || fail "the window's board differs from the headless screenshot in $changed bytes"

# Start, then a stroke across the board speeds the arrow up.
xdotool mousemove --window "$window" $(point 120 $((52 + 655))) click 1
sleep 0.2
xdotool mousemove --window "$window" $(point 90 $((52 + 330))) mousedown 1
for x in 150 210 270 330 390; do
  xdotool mousemove --window "$window" $(point "$x" $((52 + 340)))
  sleep 0.02
done
xdotool mouseup 1
sleep 0.3
capture spin1
sleep 0.15
capture spin2
board spin1
board spin2
moved=$(differing spin1 spin2)
[ "$moved" -ge 300 ] || fail "the arrow did not move between two captures ($moved bytes changed)"

# The pin at the arrow's centre stops it.
xdotool mousemove --window "$window" $(point 240 $((52 + 230))) click 1
sleep 0.4
capture stop1
sleep 0.3
capture stop2
board stop1
board stop2
still=$(differing stop1 stop2)
[ "$still" -eq 0 ] || fail "the arrow still moved after the pin was tapped ($still bytes changed)"
grep -q "timer 1 kill" "$work/trace" || fail "the trace shows no stop of the motion timer"

# EXIT: the left soft key asks, and Yes (the box's default button) ends the program with 0.
exit_through_question "$game"
game=""
grep -q 'box main [a-z]* yesno "EXIT" .*-> YES' "$work/trace" || fail "the trace shows no EXIT question answered Yes"
grep -q "quit 0" "$work/trace" || fail "the trace does not end with quit 0"

# Ended right after a tap on Start, while its click-feedback workers still sleep: the program
# waits for them and exits cleanly (on a model whose click feedback sleeps 200 ms).
"$program" --model SCH-M490 --trace "$work/trace2" 2>"$work/stderr2" &
game=$!
window=$(timeout 15 xdotool search --sync --onlyvisible --pid "$game" | head -1) || fail "no window appeared"
xdotool mousemove --window "$window" $(point 120 $((52 + 655))) click 1
kill -TERM "$game"
status=0
wait "$game" || status=$?
game=""
[ "$status" -eq 0 ] || fail "ended right after a tap on Start, the program exited with $status: $(cat "$work/stderr2")"
[ "$(tail -1 "$work/trace2" | cut -d' ' -f2-)" = "quit 0" ] || fail "the trace does not end with quit 0"
grep -q "led 2 off w2" "$work/trace2" || fail "the second click worker did not finish its sequence before the end"
echo "PASS: installed program shown, spun, stopped and ended under Xvfb"
