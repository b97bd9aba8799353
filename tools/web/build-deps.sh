#!/usr/bin/env bash
# Builds the libraries the browser build links (Bullet, KissFFT, Dear ImGui's core with its GLUT
# and OpenGL 3 back ends) with Emscripten, from Debian bookworm's source packages, into a prefix
# outside the source tree, by the recipes both cross builds share (tools/library-recipes.sh). The
# prefix's name carries a hash of this script, those recipes, tools/source-packages.sh, the page's
# GLUT headers and Emscripten's version, so a changed recipe or compiler builds afresh and an
# unchanged one is reused.
# Prints the prefix on its last line.
#
#   tools/web/build-deps.sh              build if not cached
#   FUZZLETS_WEB_CACHE=DIR ...            cache somewhere else (default ~/.cache/fuzzlets)
#
# Emscripten brings GLUT, the GLES 3 headers, SDL 1's audio and stb_image itself.
set -euo pipefail

source_root="$(cd "$(dirname "$0")/../.." && pwd)"
jobs=2
# Debian's emscripten runs its JavaScript tools with the node on PATH, which may not search
# Debian's module folder (acorn).
export NODE_PATH=/usr/share/nodejs

sources=(bullet kissfft imgui)

cache="${FUZZLETS_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/fuzzlets}"
# The compiler's version too: a new Emscripten builds afresh. sed reads all of it: head would
# close the pipe early, and emcc fails on the broken pipe.
key="$( (cat "$0" "$source_root"/tools/{source-packages,library-recipes}.sh "$source_root"/platform/browser/GL/*.h
  emcc --version | sed -n 1p) |
  sha256sum | cut -c1-12)"
prefix="$cache/web-deps-$key"
label="Browser libraries"
source "$source_root/tools/source-packages.sh"
exit_if_cached

work="$cache/web-deps-$key.work"
mkdir -p "$work/src" "$work/build" "$prefix/lib" "$prefix/include" "$prefix/share/licenses"
log="$work/build.log"

# cmake_build NAME SOURCE OPTION...: configures with emcmake and builds; `targets=...` before it
# limits what is built.
cmake_build() {
  local name="$1" source="$2"
  shift 2
  rm -rf "$work/build/$name"
  emcmake cmake -S "$source" -B "$work/build/$name" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1
  cmake --build "$work/build/$name" -j"$jobs" ${targets:+--target $targets} >>"$log" 2>&1
}

# What the shared recipes ask of this toolchain (tools/library-recipes.sh). The page links the
# libraries by path: nothing more is recorded of them. ImGui's GLUT back end includes freeglut's
# header, which Emscripten lacks: the page's own stands in (platform/browser/GL/).
cxx=em++
ar=emar
imgui_gl=opengl3
imgui_flags="-DIMGUI_IMPL_OPENGL_ES3 -I$source_root/platform/browser"
describe_library() { :; }
source "$source_root/tools/library-recipes.sh"

build_libraries bullet kissfft imgui
