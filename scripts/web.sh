#!/usr/bin/env bash
# The game in WebAssembly. --build-only builds the headless driver for node,
# build/web/vortelle-headless.js with its .wasm (and the platform demo's beside it), which plays
# as the native program does:
#   node build/web/vortelle-headless.js --headless --screen 480x800 --script FILE --trace FILE
# It installs what is missing, builds the libraries from Debian's sources the first time
# (scripts/web-libs.sh, cached in build/web-libs), and takes the pictures the build-time tools
# draw from the native build in build/default.
# Usage: scripts/web.sh --build-only
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { sed -n "2,9s/^# \{0,1\}//p" "$0"; }

buildOnly=false
while [ $# -gt 0 ]; do
  case $1 in
    --build-only) buildOnly=true ;;
    -h | --help)
      usage
      exit 0
      ;;
    *)
      echo "web.sh: unknown option $1 (see --help)" >&2
      exit 2
      ;;
  esac
  shift
done

build() {
  local jobs started=$SECONDS
  jobs=$(nproc)
  scripts/install-deps.sh --with-web
  scripts/web-libs.sh build/web-libs
  echo "web: libraries ready after $((SECONDS - started)) s"
  # The pictures are drawn by native tools.
  cmake --preset default >/dev/null
  cmake --build --preset default -j"$jobs" --target vortelle_pictures player_pictures_img
  cmake --preset web >/dev/null
  cmake --build --preset web -j"$jobs" --target vortelle platform_demo
  echo "web: build/web/vortelle-headless.js built after $((SECONDS - started)) s"
}

if ! $buildOnly; then
  echo "web.sh: serving the game to a browser is not there yet; --build-only builds the driver" >&2
  exit 2
fi
build
