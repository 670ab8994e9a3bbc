#!/usr/bin/env bash
# Builds the fuzz targets (the fuzz preset, clang with libFuzzer and the address and
# undefined-behaviour sanitizers) and runs each for SECONDS (default 30) on a copy of its seeds,
# in build/fuzz/corpus/, so that the checked-in seeds never grow. Fails on any crash, leak,
# timeout or sanitizer report, naming the input that caused it; prints each target's executions
# a second and its corpus at the end.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "fuzz.sh: SECONDS must be a whole number above 0, not '$seconds'" >&2
  exit 2
fi
scripts/install-deps.sh --with-fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

build=build/fuzz
rm -rf "$build/corpus" "$build/logs" "$build/artifacts"
mkdir -p "$build/corpus" "$build/logs" "$build/artifacts"
targets=()
for source in fuzz/*Fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done

# Stderr of the code under test is closed (a broken font is reported at every input); libFuzzer
# and the sanitizers keep writing to the log.
run() {
  local target=$1 dictionary=()
  cp -r "fuzz/corpus/$target" "$build/corpus/$target"
  [ -f "fuzz/$target.dict" ] && dictionary=("-dict=fuzz/$target.dict")
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -close_fd_mask=2 -print_final_stats=1 \
    "${dictionary[@]}" -artifact_prefix="$build/artifacts/$target-" "$build/corpus/$target" \
    >"$build/logs/$target.log" 2>&1
}

# As many targets at once as there are processors; each target's exit status in its own file.
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  (
    status=0
    run "$target" || status=$?
    echo "$status" >"$build/logs/$target.status"
  ) &
done
wait

failed=0
for target in "${targets[@]}"; do
  log=$build/logs/$target.log
  status=$(cat "$build/logs/$target.status")
  if [ "$status" -ne 0 ] || grep -qE 'runtime error|Sanitizer|ERROR: libFuzzer' "$log"; then
    echo "== $target failed (exit $status): $log" >&2
    grep -E -A12 'runtime error|ERROR:|SUMMARY' "$log" | head -40 >&2 || tail -20 "$log" >&2
    for input in "$build/artifacts/$target-"*; do
      [ -e "$input" ] && echo "input: $input" >&2
    done
    failed=1
    continue
  fi
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  files=$(find "$build/corpus/$target" -type f | wc -l)
  bytes=$(find "$build/corpus/$target" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
  printf '%-18s %7s exec/s, corpus %4d files, %7d bytes\n' "$target" "$rate" "$files" "$bytes"
done
exit "$failed"
