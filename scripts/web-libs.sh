#!/usr/bin/env bash
# Builds, for WebAssembly, the libraries the platform links: each from Debian's own source
# package at a pinned version (Debian's patches applied), fetched with apt through a sources list
# of our own, built with Emscripten into one prefix. A library whose stamp for its version exists
# is not built again.
# Both programs of the web build link them; neither has threads, so neither do they.
# Usage: scripts/web-libs.sh [FOLDER]   (default build/web-libs; the prefix is FOLDER/prefix)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(realpath -m "${1:-build/web-libs}")
prefix=$root/prefix
jobs=$(($(nproc) < 2 ? $(nproc) : 2))

# Source package, Debian version: bookworm's own (its point releases), which stay on the mirrors.
# A third word names changes of ours to the Debian tree, joined by "+" (see below); it is part of
# the stamp.
libraries=(
  "zlib 1:1.2.13.dfsg-1"
  "libpng1.6 1.6.39-2+deb12u5"
  "libjpeg-turbo 1:2.1.5-2"
  "freetype 2.12.1+dfsg-5+deb12u4 curves-by-steps+truetype-only"
  "harfbuzz 6.0.0+dfsg-3 lean"
)

# Built for size: a phone downloads them with the page, and none of them draws a frame of the
# spinning arrow.
optimise=-Oz
export CFLAGS=$optimise
export CXXFLAGS=$optimise
# emcc runs its JavaScript tools with node; Debian keeps their modules here, which a node not
# from Debian does not search.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# In the prefix: a prefix removed takes its stamps along. "-single" says built without threads: a
# set built before for threads, which the programs can't link, is built again.
stamp() { echo "$prefix/stamps/$1-${2//:/_}${3:+-$3}$optimise-single"; }

pending=()
for entry in "${libraries[@]}"; do
  read -r name version change <<<"$entry"
  [ -e "$(stamp "$name" "$version" "$change")" ] || pending+=("$entry")
done
[ ${#pending[@]} -eq 0 ] && exit 0

# apt with a state of its own: our sources list only, nothing of the machine's apt changed.
apt=$root/apt
mkdir -p "$apt/state/lists/partial" "$apt/cache/archives/partial" "$root/src" "$prefix/stamps"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat >"$apt/sources.list" <<EOF
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main
EOF
aptOptions=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=- -o "Dir::State=$apt/state"
  -o "Dir::Cache=$apt/cache" -o Dir::State::status=/var/lib/dpkg/status)
# apt's download user may not reach a folder in someone's home; root downloads as itself.
[ "$(id -u)" -ne 0 ] || aptOptions+=(-o APT::Sandbox::User=root)
apt-get "${aptOptions[@]}" -qq update

# unpack NAME VERSION: Debian's source tree of that version, its patches applied, under $root/src.
unpack() {
  local name=$1 version=$2 upstream=${2#*:}
  upstream=${upstream%-*}
  local tree=$root/src/$name-$upstream
  mkdir -p "$root/src/download"
  # apt keeps what it already downloaded.
  if ! (cd "$root/src/download" && apt-get "${aptOptions[@]}" -qq source --download-only "$name=$version" >&2); then
    echo "web-libs: Debian no longer has $name $version; it has:" >&2
    apt-cache "${aptOptions[@]}" showsrc "$name" | grep '^Version:' >&2 || true
    exit 1
  fi
  rm -rf "$tree"
  dpkg-source --no-check -x "$root/src/download/${name}_${version#*:}.dsc" "$tree" >/dev/null
  echo "$tree"
}

# build NAME SOURCE_TREE CMAKE_OPTION...: configures, builds and installs into the prefix.
build() {
  local name=$1 tree=$2
  shift 2
  local work=$root/work/$name
  rm -rf "$work" && mkdir -p "$root/work"
  emcmake cmake -S "$tree" -B "$work" -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$optimise -DNDEBUG" \
    -DCMAKE_CXX_FLAGS_RELEASE="$optimise -DNDEBUG" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$work.log" 2>&1 ||
    { tail -30 "$work.log" >&2; exit 1; }
  { cmake --build "$work" -j"$jobs" && cmake --install "$work"; } >>"$work.log" 2>&1 || { tail -30 "$work.log" >&2; exit 1; }
}

# zlib's CMake build wants the Windows files Debian's tree leaves out; its own configure does.
buildZlib() {
  local tree=$1 work=$root/work/zlib
  rm -rf "$work" && mkdir -p "$root/work" && cp -a "$tree" "$work"
  (cd "$work" && emconfigure ./configure --static --prefix="$prefix" && emmake make -j"$jobs" libz.a &&
    emmake make install) >"$work.log" 2>&1 || { tail -30 "$work.log" >&2; exit 1; }
}

# FreeType draws curves by even steps where the machine has 64-bit arithmetic at hand, else by
# halving them, and the two differ in a few pixels of grey; it asks for x86 or ARM by name. The
# WebAssembly build draws as the desktop's does.
curvesBySteps() {
  local file=$1/src/smooth/ftgrays.c
  grep -q '^    defined( __aarch64__ ) || \\$' "$file" || { echo "web-libs: $file changed; see curvesBySteps" >&2; exit 1; }
  sed -i 's/^    defined( __aarch64__ ) || \\$/    defined( __aarch64__ ) || defined( __wasm__ ) || \\/' "$file"
}

# The game draws TrueType outlines only, unhinted and without their bitmaps (the platform's
# Fonts.cpp): FreeType without its other drivers, hinters, renderers and font options, none of
# which such a glyph meets, is a third of its size in the page.
truetypeOnly() {
  local config=$1/include/freetype/config
  cat >"$config/ftmodule.h" <<'MODULES'
/* The modules the game's text needs: TrueType outlines, drawn smooth. */
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
MODULES
  local option
  for option in TT_CONFIG_OPTION_BYTECODE_INTERPRETER TT_CONFIG_OPTION_SUBPIXEL_HINTING TT_CONFIG_OPTION_GX_VAR_SUPPORT \
    TT_CONFIG_OPTION_BDF TT_CONFIG_OPTION_COLOR_LAYERS TT_CONFIG_OPTION_EMBEDDED_BITMAPS TT_CONFIG_OPTION_POSTSCRIPT_NAMES \
    FT_CONFIG_OPTION_POSTSCRIPT_NAMES FT_CONFIG_OPTION_ADOBE_GLYPH_LIST FT_CONFIG_OPTION_SVG FT_CONFIG_OPTION_MAC_FONTS \
    FT_CONFIG_OPTION_GUESSING_EMBEDDED_RFORK FT_CONFIG_OPTION_INCREMENTAL FT_CONFIG_OPTION_USE_LZW \
    FT_CONFIG_OPTION_USE_ZLIB; do
    grep -q "^#define $option\b" "$config/ftoption.h" || { echo "web-libs: $config/ftoption.h changed; see truetypeOnly" >&2; exit 1; }
    sed -i "s/^#define $option\b.*/#undef $option/" "$config/ftoption.h"
  done
}
# HarfBuzz's own switches for a small build: no variable, colour or CFF fonts, no AAT tables, no
# fallbacks for the scripts of fonts without layout tables, none of the API for other uses than
# shaping. Our fonts are plain TrueType with OpenType layout (and a kern table, kept).
hbLean="-DHB_LEAN -DHB_NO_AAT -DHB_NO_BORING_EXPANSION -DHB_NO_OT_SHAPER_ARABIC_FALLBACK -DHB_NO_OT_SHAPER_HEBREW_FALLBACK \
  -DHB_NO_OT_SHAPER_MYANMAR_ZAWGYI -DHB_NO_OT_SHAPER_THAI_FALLBACK -DHB_NO_OT_SHAPER_VOWEL_CONSTRAINTS"
for entry in "${pending[@]}"; do
  read -r name version change <<<"$entry"
  echo "web-libs: $name $version${change:+ ($change)}"
  tree=$(unpack "$name" "$version")
  extraFlags=
  for step in ${change//+/ }; do
    case $step in
      curves-by-steps) curvesBySteps "$tree" ;;
      truetype-only) truetypeOnly "$tree" ;;
      lean) extraFlags=$hbLean ;;
    esac
  done
  case $name in
    zlib)
      buildZlib "$tree" ;;
    libpng1.6)
      build "$name" "$tree" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF ;;
    libjpeg-turbo)
      build "$name" "$tree" -DWITH_SIMD=OFF -DSIZE_T=4 -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF ;;
    freetype)
      build "$name" "$tree" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_BROTLI=ON \
        -DFT_DISABLE_HARFBUZZ=ON ;;
    harfbuzz)
      CXXFLAGS="$CXXFLAGS $extraFlags" build "$name" "$tree" -DHB_HAVE_FREETYPE=ON -DHB_HAVE_GLIB=OFF -DHB_HAVE_GOBJECT=OFF -DHB_HAVE_ICU=OFF \
        -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF ;;
  esac
  touch "$(stamp "$name" "$version" "$change")"
  rm -rf "$tree" "$root/work/$name"
done
