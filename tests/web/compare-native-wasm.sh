#!/usr/bin/env bash
# Plays every scenario script through the native driver and through the WebAssembly one under
# node, and compares what they give: the trace byte for byte, the exit code, standard output and
# standard error, and every screenshot pixel for pixel. Each script is played as the scenario
# tests play it ("# options:", "@TEST_DATA@"), with the screen also shot before its first line
# and after its last, so that every screen size is compared. The wasm side draws with the fonts
# the browser gets (build/web/fonts, cut down to the game's characters), so this also shows that
# they draw as the whole fonts do.
# Usage: tests/web/compare-native-wasm.sh [NATIVE_BUILD [WEB_BUILD]]   (build/default, build/web;
# both built from this tree, as scripts/test.sh leaves them)
set -euo pipefail
cd "$(dirname "$0")/../.."
native=$(realpath "${1:-build/default}")
web=$(realpath "${2:-build/web}")
scenarios=$(pwd)/tests/scenarios
data=$(pwd)/tests/data
work=$web/compare
rm -rf "$work"
mkdir -p "$work"

differences=0
differ() {
  echo "DIFFERENT $1: $2"
  differences=$((differences + 1))
}

# play FOLDER OPTIONS COMMAND...: plays FOLDER/../script in FOLDER, where its screenshots, trace,
# output and exit code land.
play() {
  local folder=$1 options=$2
  shift 2
  mkdir -p "$folder"
  local code=0
  (cd "$folder" && exec sh -c "exec \"\$0\" \"\$@\" --headless $options --script ../script --trace trace" "$@" \
    >stdout 2>stderr) || code=$?
  echo "$code" >"$folder/code"
}

# same NAME WHAT: whether the native and the wasm run's file WHAT are equal, reporting how not.
same() {
  local name=$1 what=$2
  if ! cmp -s "$work/$name/native/$what" "$work/$name/wasm/$what"; then
    differ "$name" "$what (native, then wasm):"
    diff -u "$work/$name/native/$what" "$work/$name/wasm/$what" | sed -n '3,23p'
    return 1
  fi
}

scripts=0
shots=0
declare -A sizes=()
while IFS= read -r script; do
  name=${script#"$scenarios/"}
  name=${name%.script}
  if [[ $name == platform/* ]]; then
    program=platform/platform_demo
  else
    program=vortelle
  fi
  options=$(sed -n 's/^# options: //p' "$script" | head -1)
  text=$(cat "$script")
  mkdir -p "$work/$name"
  printf 'screenshot first.png\n%s\nscreenshot last.png\n' "${text//@TEST_DATA@/$data}" >"$work/$name/script"
  play "$work/$name/native" "$options" "$native/$program"
  play "$work/$name/wasm" "$options" env VORTELLE_FONT_DIR="$web/fonts" node "$web/$program-headless.js"
  scripts=$((scripts + 1))

  for what in code trace stdout stderr; do same "$name" "$what" || true; done
  natives=$(cd "$work/$name/native" && ls -- *.png 2>/dev/null || true)
  wasms=$(cd "$work/$name/wasm" && ls -- *.png 2>/dev/null || true)
  if [ "$natives" != "$wasms" ]; then
    differ "$name" "screenshots: native wrote [${natives//$'\n'/ }], wasm [${wasms//$'\n'/ }]"
  fi
  for png in $natives; do
    [ -e "$work/$name/wasm/$png" ] || continue
    shots=$((shots + 1))
    size=$(identify -format '%wx%h' "$work/$name/native/$png")
    sizes[$size]=1
    cmp -s "$work/$name/native/$png" "$work/$name/wasm/$png" && continue
    other=$(identify -format '%wx%h' "$work/$name/wasm/$png")
    if [ "$size" != "$other" ]; then
      differ "$name" "screenshot $png: $size natively, $other in wasm"
      continue
    fi
    # Files may differ in their compression only; the pixels decide.
    pixels=$(compare -metric AE "$work/$name/native/$png" "$work/$name/wasm/$png" "$work/$name/${png%.png}-diff.png" 2>&1) ||
      differ "$name" "screenshot $png: $pixels pixels differ (see $work/$name/${png%.png}-diff.png)"
  done
done < <(find "$scenarios" -name '*.script' | sort)

# Command lines beside the scenarios: the options' own answers, a script on standard input and the
# trace on standard output, and the messages of a script error and of output that can't be
# written. Each gets the same few lines on standard input.
lines=$(pwd)/tests/command-line
commandLines=(
  "--help"
  "--version"
  "--headless --screen 12x"
  "--headless --frobnicate"
  "--script -"
  "--headless --script $work/missing.script"
  "--headless --screen 320x320 --model \"\" --script -"
  "--headless --script - --trace /dev/full"
  "--headless --script $lines/bad.script"
  "--headless --script $lines/full-screenshot.script"
)
for i in "${!commandLines[@]}"; do
  name=command-line-$i
  for side in native wasm; do
    mkdir -p "$work/$name/$side"
    [ $side = native ] && program=("$native/vortelle") || program=(env VORTELLE_FONT_DIR="$web/fonts" node "$web/vortelle-headless.js")
    code=0
    (cd "$work/$name/$side" &&
      printf 'key RETURN\nwait 600\nkey F2\n' | sh -c "exec \"\$0\" \"\$@\" ${commandLines[$i]}" "${program[@]}" \
        >stdout 2>stderr) || code=$?
    echo "$code" >"$work/$name/$side/code"
  done
  for what in code stdout stderr; do same "$name" "$what" || true; done
done

echo "compared $scripts scripts, ${#commandLines[@]} command lines and $shots screenshots (screens ${!sizes[*]})" \
  "natively and in wasm: $differences differences"
[ "$differences" -eq 0 ]
