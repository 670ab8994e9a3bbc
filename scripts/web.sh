#!/usr/bin/env bash
# The game in WebAssembly. --build-only builds, in one build without threads (build/web), the game
# for a browser's page (build/web/vortelle.js and .wasm) and the headless driver for node,
# build/web/vortelle-headless.js with its .wasm (and the platform demo's beside it), which plays
# as the native program does:
#   node build/web/vortelle-headless.js --headless --screen 480x800 --script FILE --trace FILE
# It installs what is missing, builds the libraries from Debian's sources the first time
# (scripts/web-libs.sh, cached in build/web-libs), and takes the pictures the build-time tools
# draw from the native build in build/default. The game's web page is made beside them; its
# files are the ones build/web/page-files.txt lists.
# Without --build-only it builds build/web when its sources are newer than the last build, then
# serves the page on http://127.0.0.1:8000/: --port N another port, --lan every interface (it
# prints the address a phone on the same network opens), --cert FILE --key FILE HTTPS.
# Usage: scripts/web.sh --build-only
#        scripts/web.sh [--port N] [--lan] [--cert FILE --key FILE]
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { sed -n "2,17s/^# \{0,1\}//p" "$0"; }

buildOnly=false
serveOptions=()
while [ $# -gt 0 ]; do
  case $1 in
    --build-only) buildOnly=true ;;
    --lan) serveOptions+=("$1") ;;
    --port | --cert | --key)
      if [ $# -lt 2 ]; then
        echo "web.sh: $1 needs a value (see --help)" >&2
        exit 2
      fi
      serveOptions+=("$1" "$2")
      shift
      ;;
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
  cmake --build --preset web -j"$jobs" --target vortelle platform_demo web_page
  # The web programs catch only in the function their exception setting names (the top
  # CMakeLists.txt); a renamed function would silently catch nothing.
  if ! llvm-nm build/web/platform/CMakeFiles/platform_services.dir/src/services/DecodedPicture.cpp.o |
    grep -q __cxa_find_matching_catch; then
    echo "web: allocatePixels catches nothing in the web programs: fix EXCEPTION_CATCHING_ALLOWED" >&2
    exit 1
  fi
  touch "$stamp"
  echo "web: the web page with the game, and build/web/vortelle-headless.js, built after $((SECONDS - started)) s"
}

# What the web build is made from; tests and docs are not part of it.
stamp=build/web/built.stamp
stale() {
  [ -e "$stamp" ] && [ -e build/web/page-files.txt ] || return 0
  [ -n "$(find app device spinner controls platform resources tools web cmake CMakeLists.txt CMakePresets.json \
    scripts/install-deps.sh scripts/web-libs.sh scripts/web.sh -newer "$stamp" -print -quit)" ]
}

if $buildOnly; then
  build
  exit 0
fi
serve=(node tools/web/serve.mjs --root build/web "${serveOptions[@]}")
# A port that is taken or a bad option is told before a long build, not after it.
if command -v node >/dev/null; then "${serve[@]}" --check; fi
if stale; then build; fi
exec "${serve[@]}"
