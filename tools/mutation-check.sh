#!/usr/bin/env bash
# Mutation check: makes one small fault at a time in a scratch copy of the committed tree (HEAD),
# rebuilds it and runs the tests; every fault must make some test fail. A fault no test notices is
# a check missing from the suite.
#
# Usage: tools/mutation-check.sh [-j N]
#
# The scratch copy is a detached git worktree in build/mutation/tree, built in build/mutation/build;
# both are kept between runs, so after the first run each fault costs only an incremental rebuild.
# The tests are the default ones without the display tests (they need X and take long). Each line
# of the table below is one fault: a file, a text that must occur exactly once in it, and what
# replaces it. A text that no longer occurs once makes the fault stale: fix the table.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

jobs=2
if [[ ${1:-} == -j ]]; then jobs=${2:?"-j needs a number"}; fi

files=() originals=() replacements=()
mutant() { files+=("$1") originals+=("$2") replacements+=("$3"); }

# The motion's rules: the speed limits, the stop threshold, the friction step and the tick.
mutant spinner/MotionRules.h 'if (speed > FAST_THRESHOLD) {' 'if (speed >= FAST_THRESHOLD) {'
mutant spinner/MotionRules.h 'if (speed > STOP_THRESHOLD) {' 'if (speed >= STOP_THRESHOLD) {'
mutant app/MainWindow.cpp 'const double FRICTION_STEP = 0.01;' 'const double FRICTION_STEP = 0.011;'
mutant app/MainWindow.cpp 'const UINT MOTION_PERIOD = 20;' 'const UINT MOTION_PERIOD = 25;'
# The stylus: the stroke that spins, the pin's hit-test bound.
mutant app/MainWindow.cpp 'if (dx > STROKE_LENGTH || dy > STROKE_LENGTH)' 'if (dx >= STROKE_LENGTH || dy > STROKE_LENGTH)'
mutant app/MainLayout.cpp 'x <= layout.pinRight' 'x < layout.pinRight'
# The pick: a slot's bound, the frames' pitch, the result blink's period.
mutant spinner/PickSlot.cpp 'if (a >= 1.75 + slice && a < 1.75 + slice * 2) return 1;' \
  'if (a > 1.75 + slice && a < 1.75 + slice * 2) return 1;'
mutant spinner/PickHighlight.cpp 'resultBoxX = 9 + 78 * slot;' 'resultBoxX = 9 + 77 * slot;'
mutant spinner/PickMotion.cpp '#define BLINK_PERIOD_MS 500' '#define BLINK_PERIOD_MS 400'
# The arrow's outline pen, and an LED blink's period.
mutant app/MainPaint.cpp 'const int OUTLINE_WIDTH = 2;' 'const int OUTLINE_WIDTH = 3;'
mutant device/FeedbackSequences.cpp 'LED_OFF(9), LED_OFF(2), LED_BLINK(3, 100, 100, 3, 8), FEEDBACK_SLEEP(200)' \
  'LED_OFF(9), LED_OFF(2), LED_BLINK(3, 100, 120, 3, 8), FEEDBACK_SLEEP(200)'
# The platform: the stylus's hit test, a message box's answer, the stretch's rounding.
mutant platform/src/core/Input.cpp 'return x >= r.left && x < r.right' 'return x >= r.left && x <= r.right'
mutant platform/src/shell/MessageBox.cpp 'return {{IDYES, u"Yes"}, {IDNO, u"No"}};' 'return {{IDNO, u"Yes"}, {IDYES, u"No"}};'
mutant platform/src/gdi/Stretch.cpp 'int64_t err = 3 * int64_t{srcLength} - 2 * int64_t{dstLength};' \
  'int64_t err = 3 * int64_t{srcLength} - 2 * int64_t{dstLength} - 1;'

work=$root/build/mutation
tree=$work/tree
build=$work/build
logs=$work/logs
mkdir -p "$logs"
started=$SECONDS

# The scratch tree follows HEAD; git rewrites only the files that changed, so the build folder's
# objects stay valid for the rest.
head=$(git rev-parse HEAD)
if [[ ! -e $tree/.git ]]; then
  git worktree prune
  git worktree add --quiet --detach "$tree" "$head"
else
  git -C "$tree" checkout --quiet --force --detach "$head"
  git -C "$tree" clean --quiet -fd
fi

build_and_test() {  # LOG: 0 when every test passed, 1 when some failed, 2 when the build failed
  if ! cmake --build "$build" -j"$jobs" >"$1" 2>&1; then return 2; fi
  if ctest --test-dir "$build" -j"$jobs" -E '^display/' --timeout 300 --stop-on-failure >>"$1" 2>&1; then
    return 0
  fi
  return 1
}

# The first failing test's name, from ctest's list at the end of the log.
first_failure() { sed -n '/The following tests FAILED:/{n;s/^[[:space:]]*[0-9]* - \([^ ]*\).*/\1/p;q}' "$1"; }

echo "mutation check of $(git rev-parse --short HEAD) in $tree"
cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORTELLE_BENCH=OFF >"$logs/configure.log" 2>&1 ||
  { echo "configuring failed: $logs/configure.log" >&2; exit 1; }
status=0
build_and_test "$logs/baseline.log" || status=$?
if ((status != 0)); then
  echo "the unchanged tree fails its tests already: $logs/baseline.log" >&2
  exit 1
fi
echo "baseline: every test passes ($((SECONDS - started)) s)"

caught=0 survived=0 bad=0
for i in "${!files[@]}"; do
  file=${files[i]} original=${originals[i]} replacement=${replacements[i]}
  path=$tree/$file
  label="$file: '$original' -> '$replacement'"
  log=$logs/mutant-$((i + 1)).log
  text=""
  [[ -f $path ]] && text=$(<"$path")
  without=${text//"$original"/}
  occurrences=$(((${#text} - ${#without}) / ${#original}))
  if ((occurrences != 1)); then
    printf '%-9s %s (found %d times)\n' stale "$label" "$occurrences"
    bad=$((bad + 1))
    continue
  fi
  printf '%s\n' "${text/"$original"/"$replacement"}" >"$path"
  mutantStarted=$SECONDS
  status=0
  build_and_test "$log" || status=$?
  # Checked out afresh, the file is newer than its objects: the next build compiles it again.
  git -C "$tree" checkout --quiet -- "$file"
  took="$((SECONDS - mutantStarted)) s"
  case $status in
    0)
      printf '%-9s %s (%s)\n' SURVIVED "$label" "$took"
      survived=$((survived + 1))
      ;;
    1)
      printf '%-9s %s (by %s, %s)\n' caught "$label" "$(first_failure "$log")" "$took"
      caught=$((caught + 1))
      ;;
    *)
      printf '%-9s %s (does not build: %s)\n' broken "$label" "$log"
      bad=$((bad + 1))
      ;;
  esac
done

echo "${#files[@]} mutants: $caught caught, $survived survived, $bad stale or broken ($((SECONDS - started)) s)"
((survived == 0 && bad == 0))
