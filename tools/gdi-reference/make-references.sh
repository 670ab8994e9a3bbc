#!/bin/sh
# Remakes the reference images in tests/data/gdi/ from the case files in cases/: draws every
# case with Wine's GDI (a mingw-w64 program run under wine) and keeps each canvas as a PNG.
# Usage: tools/gdi-reference/make-references.sh [BUILD_DIR]   (build/gdi-reference by default)
# The build folder provides the pictures the cases read (board.bmp, bottle.bmp) and the
# printer of the arrow's cases; it is configured here when it doesn't exist yet.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/gdi-reference}
for tool in x86_64-w64-mingw32-gcc wine convert cmake; do
  command -v "$tool" >/dev/null || { echo "$tool is needed" >&2; exit 1; }
done

[ -f "$build/CMakeCache.txt" ] || cmake --preset default -B "$build" -DVORTELLE_BENCH=OFF
cmake --build "$build" -j2 --target vortelle_pictures gdi_arrow_cases
pictures=$build/tools/pictures/out
"$build/tools/gdi-reference/gdi_arrow_cases" 48 >"$here/cases/game-arrow.txt"

exe=$build/tools/gdi-reference/gdi-reference.exe
x86_64-w64-mingw32-gcc -O2 -Wall -Wextra -Werror -o "$exe" "$here/GdiReference.c" "$here/CaseScript.c" \
  -lgdi32 -lmsimg32

work=$(mktemp -d /tmp/gdi-reference.XXXXXX)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX="$work/wine" WINEDEBUG=-all
for cases in "$here"/cases/*.txt; do
  name=$(basename "$cases" .txt)
  mkdir -p "$work/$name"
  wine "$exe" "$cases" "$pictures" "$work/$name" </dev/null 2>"$work/wine.log" || {
    grep -v '^wine: \|^$' "$work/wine.log" >&2 || true
    echo "$cases: the reference tool failed" >&2
    exit 1
  }
  out=$root/tests/data/gdi/$name
  rm -rf "$out"
  mkdir -p "$out"
  for bmp in "$work/$name"/*.bmp; do
    convert "$bmp" -strip -define png:compression-level=9 "$out/$(basename "$bmp" .bmp).png"
  done
  echo "$name: $(ls "$out" | wc -l) images"
done
