#!/usr/bin/env bash
# Builds the libraries the browser build links (Bullet, KissFFT, Dear ImGui's core with its GLUT
# and OpenGL 3 back ends) with Emscripten, from Debian bookworm's source packages, into a prefix
# outside the source tree. The prefix's name carries a hash of this script and
# tools/source-packages.sh, so a changed recipe builds afresh and an unchanged one is reused.
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

sources=(
  "bullet 3.24"
  "kissfft 131.1.0"
  "imgui 1.86"
)

cache="${FUZZLETS_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/fuzzlets}"
key="$(cat "$0" "$source_root/tools/source-packages.sh" | sha256sum | cut -c1-12)"
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

build_bullet() {
  local source; source="$(unpack bullet 3.24)"
  targets="LinearMath BulletCollision BulletDynamics" cmake_build bullet "$source" -DBUILD_BULLET3=OFF \
    -DBUILD_EXTRAS=OFF -DBUILD_UNIT_TESTS=OFF -DBUILD_CPU_DEMOS=OFF -DBUILD_BULLET2_DEMOS=OFF \
    -DBUILD_OPENGL3_DEMOS=OFF -DBUILD_PYBULLET=OFF -DBUILD_ENET=OFF -DBUILD_CLSOCKET=OFF -DUSE_GLUT=OFF \
    -DUSE_GRAPHICAL_BENCHMARK=OFF -DINSTALL_LIBS=OFF -DINSTALL_CMAKE_FILES=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_OpenGL=ON -DUSE_DOUBLE_PRECISION=OFF
  local library
  for library in LinearMath BulletCollision BulletDynamics; do
    cp "$(find "$work/build/bullet" -name "lib$library.a" | head -1)" "$prefix/lib/"
    (cd "$source/src" && find "$library" -name '*.h' -exec install -D -m644 {} "$prefix/include/bullet/{}" \;)
  done
  cp "$source/src/btBulletCollisionCommon.h" "$source/src/btBulletDynamicsCommon.h" "$prefix/include/bullet/"
  licence bullet "$source"
}

build_kissfft() {
  local source; source="$(unpack kissfft 131.1.0)"
  cmake_build kissfft "$source" -DKISSFFT_STATIC=ON -DKISSFFT_TEST=OFF -DKISSFFT_TOOLS=OFF \
    -DKISSFFT_DATATYPE=float -DKISSFFT_PKGCONFIG=OFF \
    -DCMAKE_INSTALL_LIBDIR="$prefix/lib" -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include"
  cmake --install "$work/build/kissfft" >>"$log" 2>&1
  licence kissfft "$source"
}

# Debian's makefile wants freetype and SDL2: the core and the two back ends the page uses are
# compiled here, with ImGui's bundled stb headers. Its GLUT back end includes freeglut's header,
# which Emscripten lacks: GLUT's own stands in, with the wheel callback the program supplies.
build_imgui() {
  local source; source="$(unpack imgui 1.86)"
  local build="$work/build/imgui" file
  mkdir -p "$build/GL"
  cat >"$build/GL/freeglut.h" <<'HEADER'
#include <GL/glut.h>
#define __FREEGLUT_EXT_H__
extern "C" void glutMouseWheelFunc(void (*callback)(int, int, int, int));
HEADER
  for file in imgui imgui_draw imgui_tables imgui_widgets imgui_demo backends/imgui_impl_glut \
    backends/imgui_impl_opengl3; do
    em++ -O2 -DNDEBUG -DIMGUI_IMPL_OPENGL_ES3 -I"$build" -I"$source" \
      -c "$source/$file.cpp" -o "$build/$(basename "$file").o" >>"$log" 2>&1
  done
  rm -f "$prefix/lib/libimgui.a"
  emar rcs "$prefix/lib/libimgui.a" "$build"/*.o
  mkdir -p "$prefix/include/imgui/backends"
  cp "$source"/imgui.h "$source"/imconfig.h "$source"/imgui_internal.h "$source"/imstb_*.h "$prefix/include/imgui/"
  cp "$source"/backends/imgui_impl_glut.h "$source"/backends/imgui_impl_opengl3.h \
    "$source"/backends/imgui_impl_opengl3_loader.h "$prefix/include/imgui/backends/"
  licence imgui "$source"
}

build_libraries bullet kissfft imgui
