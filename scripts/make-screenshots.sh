#!/usr/bin/env bash
# Makes the README's pictures in docs/ by playing the game headless: a spin, a pick and the
# bottle on the 480x800 screen, a spin on the two other screens, and on every screen the menu
# bar, the open Help menu and the About and Manual dialogs; and the web page on two phones.
# Usage: scripts/make-screenshots.sh [PROGRAM]   (default: build/default/vortelle, built if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/default/vortelle}
if [ ! -x "$program" ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target vortelle -j"$(nproc)"
fi
docs=$(pwd)/docs
mkdir -p "$docs"

# shoot SCREEN NAME: plays the script on standard input and keeps its screenshot.
shoot() {
  local screen=$1 name=$2
  "$program" --headless --screen "$screen" --model TestPhone --script - --trace /dev/null
  echo "docs/$name"
}

# The arrow half-way through a spin.
shoot 480x800 screen-480x800-spin.png <<SCRIPT
key RETURN
key RETURN
wait 700
screenshot $docs/screen-480x800-spin.png
SCRIPT

# The mode button once: pick mode, the frame on the player the arrow points at.
shoot 480x800 screen-480x800-pick.png <<SCRIPT
tap 80 637
key RETURN
wait 900
screenshot $docs/screen-480x800-pick.png
SCRIPT

# The mode button twice: the bottle.
shoot 480x800 screen-480x800-bottle.png <<SCRIPT
tap 80 637
tap 80 637
key RETURN
wait 1100
screenshot $docs/screen-480x800-bottle.png
SCRIPT

shoot 320x320 screen-320x320-spin.png <<SCRIPT
key RETURN
wait 600
screenshot $docs/screen-320x320-spin.png
SCRIPT

shoot 480x640 screen-480x640-spin.png <<SCRIPT
key RETURN
wait 600
screenshot $docs/screen-480x640-spin.png
SCRIPT

# The soft-key bar, the Help menu the right soft key opens, and the two dialogs it leads to.
for screen in 320x320 480x640 480x800; do
  shoot "$screen" "screen-$screen-menubar.png" <<SCRIPT
screenshot $docs/screen-$screen-menubar.png
SCRIPT
  shoot "$screen" "screen-$screen-help.png" <<SCRIPT
key F2
screenshot $docs/screen-$screen-help.png
SCRIPT
  shoot "$screen" "screen-$screen-about.png" <<SCRIPT
key F2
key A
screenshot $docs/screen-$screen-about.png
key RETURN
SCRIPT
  shoot "$screen" "screen-$screen-manual.png" <<SCRIPT
key F2
key M
screenshot $docs/screen-$screen-manual.png
key RETURN
SCRIPT
done

# The web page on two phones, when the browser's game is built (scripts/web.sh --build-only).
if [ -f build/web/vortelle.js ]; then
  . tests/web/browser-client.sh
  node tools/web/page-pictures.mjs build/web "$client" "$docs"
else
  echo "make-screenshots.sh: no build/web/vortelle.js, so no pictures of the web page" >&2
fi
