#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need, when any is missing.
# Usage: scripts/install-deps.sh [--with-display-tests] [--with-fuzz] [--with-web] [--with-browser]
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libcairo2-dev libfreetype-dev libharfbuzz-dev libglib2.0-dev libjpeg62-turbo-dev libpng-dev
  llvm
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wine fonts-nanum fonts-dejavu-core
)
for option in "$@"; do
  case $option in
    --with-display-tests) packages+=(xvfb xdotool x11-utils imagemagick) ;;
    # The fuzz targets (scripts/fuzz.sh): clang and its libFuzzer and sanitizer runtimes.
    --with-fuzz) packages+=(clang libclang-rt-14-dev) ;;
    # The WebAssembly build (scripts/web.sh): its compiler, node, and apt's source unpacking.
    # hb-subset cuts the fonts the browser gets down to the characters the game draws.
    --with-web) packages+=(emscripten nodejs dpkg-dev debian-archive-keyring libharfbuzz-bin) ;;
    # The web page's tests in three engines: Chromium, Firefox ESR, and WebKitGTK's WebDriver
    # (its MiniBrowser comes with the library) on a virtual display, and openssl for the certificate
    # WebKit's page is served with; npm for the client that drives the first two (some nodejs
    # builds carry npm themselves).
    --with-browser)
      packages+=(chromium firefox-esr webkit2gtk-driver xvfb openssl nodejs)
      command -v npm >/dev/null || packages+=(npm)
      ;;
    *)
      echo "install-deps.sh: unknown option $option" >&2
      exit 2
      ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
