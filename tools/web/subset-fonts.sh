#!/usr/bin/env bash
# The fonts the browser gets: the phone's font files cut down (hb-subset, of the same HarfBuzz
# the game shapes with) to the characters the game can draw: printable ASCII and every other
# character that stands in the resource script or in the program's sources. Outlines, metrics,
# kerning and names stay as they are, so text draws as on the desktop, pixel for pixel; hints go,
# as the game never uses them.
# Usage: tools/web/subset-fonts.sh SOURCE_TREE OUT_DIR
set -euo pipefail
tree=$1
out=$2
folders=(/usr/share/wine/fonts /usr/share/fonts/truetype/nanum)
fonts=(tahoma.ttf tahomabd.ttf NanumGothic.ttf NanumGothicBold.ttf)

mkdir -p "$out"
text="$out/characters.txt"
{
  printf '%s' ' !"#$%&'"'"'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\]^_`abcdefghijklmnopqrstuvwxyz{|}~'
  cat "$tree"/resources/*.rc
  find "$tree"/app "$tree"/controls "$tree"/device "$tree"/spinner "$tree"/platform/src \( -name '*.cpp' -o -name '*.h' \) \
    -exec cat {} +
} | grep -oP '[^\x00-\x1F]' | LC_ALL=C sort -u | tr -d '\n' >"$text.new"
mv "$text.new" "$text"

for font in "${fonts[@]}"; do
  source=""
  for folder in "${folders[@]}"; do
    [ -f "$folder/$font" ] && source="$folder/$font" && break
  done
  if [ -z "$source" ]; then
    echo "subset-fonts.sh: $font is in none of ${folders[*]} (fonts-wine and fonts-nanum have it)" >&2
    exit 1
  fi
  hb-subset --text-file="$text" --drop-tables=DSIG --notdef-outline --no-hinting --name-IDs='*' \
    --output-file="$out/$font" "$source"
done
