#!/usr/bin/env bash
# Cross-builds every library the Windows build links, from Debian bookworm's source packages (the
# versions the Linux build uses), into a prefix outside the source tree; Bullet, KissFFT and Dear
# ImGui by the recipes the page's build shares (tools/library-recipes.sh). The prefix's name
# carries a hash of this script, the toolchain file, those recipes, tools/source-packages.sh and
# the compiler's version, so a changed recipe or compiler builds afresh and an unchanged one is
# reused. Prints the prefix on its last line.
#
#   tools/windows/build-deps.sh            build if not cached
#   FUZZLETS_WIN64_CACHE=DIR ...            cache somewhere else (default ~/.cache/fuzzlets)
#
# The libraries under the LGPL (libsndfile, mpg123, lame) are DLLs, so that a user can replace
# them; everything else is static. No library needs the MinGW runtime DLLs.
set -euo pipefail

source_root="$(cd "$(dirname "$0")/../.." && pwd)"
toolchain="$source_root/cmake/mingw-w64-x86_64.cmake"
host=x86_64-w64-mingw32
jobs=2

# The source packages built (their versions: tools/source-packages.sh).
sources=(libpng1.6 libjpeg-turbo freeglut glew bullet libsdl2 mpg123 lame libsndfile kissfft imgui googletest)

cache="${FUZZLETS_WIN64_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/fuzzlets}"
# The compiler's version too: a new MinGW-w64 builds afresh.
key="$( (cat "$0" "$toolchain" "$source_root"/tools/{source-packages,library-recipes}.sh
  $host-g++-posix --version | head -1) | sha256sum | cut -c1-12)"
prefix="$cache/win64-deps-$key"
label="Windows libraries"
source "$source_root/tools/source-packages.sh"
exit_if_cached

work="$cache/win64-deps-$key.work"
mkdir -p "$work/src" "$work/build" "$prefix/lib/pkgconfig" "$prefix/include" "$prefix/bin" \
  "$prefix/share/licenses"
export FUZZLETS_WIN64_DEPS="$prefix"
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
unset PKG_CONFIG_PATH
log="$work/build.log"

# cmake_build NAME SOURCE OPTION...: configures and builds; `targets=...` before it limits what
# is built.
cmake_build() {
  local name="$1" source="$2"
  shift 2
  rm -rf "$work/build/$name"
  cmake -S "$source" -B "$work/build/$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1
  cmake --build "$work/build/$name" -j"$jobs" ${targets:+--target $targets} >>"$log" 2>&1
}

cmake_install() {
  cmake --install "$work/build/$1" >>"$log" 2>&1
}

# write_pc NAME LIBS CFLAGS VERSION [REQUIRES]
write_pc() {
  local name="$1" libs="$2" cflags="$3" version="$4" requires="${5:-}"
  cat >"$prefix/lib/pkgconfig/$name.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: $name
Description: $name for Windows, static
Version: $version
Requires: $requires
Libs: -L\${libdir} $libs
Cflags: -I\${includedir} $cflags
EOF
}

# Debian's MinGW zlib, as a static library only: beside its import library, -lz would pick
# the DLL.
build_zlib() {
  cp /usr/$host/lib/libz.a "$prefix/lib/"
  cp /usr/$host/include/zlib.h /usr/$host/include/zconf.h "$prefix/include/"
  write_pc zlib "-lz" "" 1.2.13
  cp /usr/share/doc/libz-mingw-w64-dev/copyright "$prefix/share/licenses/zlib.txt"
}

build_libpng() {
  local source; source="$(unpack libpng1.6)"
  cmake_build libpng "$source" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
  cmake_install libpng
  licence libpng "$source"
}

build_libjpeg() {
  local source; source="$(unpack libjpeg-turbo)"
  # Its SIMD code needs nasm; the plain C paths decode the same pixels.
  cmake_build libjpeg "$source" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
  cmake_install libjpeg
  licence libjpeg-turbo "$source"
}

build_freeglut() {
  local source; source="$(unpack freeglut)"
  cmake_build freeglut "$source" -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
    -DFREEGLUT_BUILD_DEMOS=OFF
  cmake_install freeglut
  rm -f "$prefix"/lib/pkgconfig/freeglut*.pc "$prefix"/lib/pkgconfig/glut.pc
  write_pc glut "-lfreeglut_static -lopengl32 -lwinmm -lgdi32" "-DFREEGLUT_STATIC" "${UPSTREAM_VERSION[freeglut]}"
  write_pc glu "-lglu32 -lopengl32" "" 9.0
  licence freeglut "$source"
}

build_glew() {
  local source; source="$(unpack glew)"
  targets=glew_s cmake_build glew "$source/build/cmake" -DBUILD_UTILS=OFF
  cp "$work/build/glew/lib/libglew32.a" "$prefix/lib/"
  mkdir -p "$prefix/include/GL"
  cp "$source"/include/GL/glew.h "$source"/include/GL/wglew.h "$prefix/include/GL/"
  write_pc glew "-lglew32 -lglu32 -lopengl32" "-DGLEW_STATIC" "${UPSTREAM_VERSION[glew]}"
  licence glew "$source"
}

build_sdl2() {
  local source; source="$(unpack libsdl2)"
  # Audio is all the demo uses, but an audio-only build does not link: video stays, with
  # everything around it off.
  cmake_build sdl2 "$source" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_CCACHE=OFF \
    -DSDL_RENDER=OFF -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF \
    -DSDL_POWER=OFF -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF -DSDL_RENDER_D3D=OFF \
    -DSDL2_DISABLE_SDL2MAIN=ON
  cmake_install sdl2
  rm -rf "$prefix/share/licenses/SDL2"
  # The program has its own main and console: no SDL_main renaming, no -mwindows.
  sed -i -e 's/-lSDL2main//g; s/-mwindows//g; s|^Cflags: \(.*\)|Cflags: \1 -DSDL_MAIN_HANDLED|' \
    "$prefix/lib/pkgconfig/sdl2.pc"
  licence sdl2 "$source"
}

# The LGPL libraries: DLLs that need nothing but Windows' own (libgcc linked in).
build_mpg123() {
  local source; source="$(unpack mpg123)"
  cmake_build mpg123 "$source/ports/cmake" -DBUILD_SHARED_LIBS=ON -DBUILD_PROGRAMS=OFF \
    -DBUILD_LIBOUT123=OFF -DCMAKE_SHARED_LINKER_FLAGS="-static-libgcc"
  cmake_install mpg123
  licence mpg123 "$source"
}

build_lame() {
  local source; source="$(unpack lame)"
  rm -rf "$work/build/lame" && cp -a "$source" "$work/build/lame"
  # Its export list names a function that 3.100 made static.
  sed -i '/^lame_init_old$/d' "$work/build/lame/include/libmp3lame.sym"
  (cd "$work/build/lame" &&
    ./configure --host=$host --prefix="$prefix" --enable-shared --disable-static --disable-frontend \
      --disable-gtktest --disable-analyzer-hooks CC=$host-gcc-posix \
      CFLAGS="-O2" LDFLAGS="-static-libgcc" >>"$log" 2>&1 &&
    make -j"$jobs" >>"$log" 2>&1 && make install >>"$log" 2>&1)
  licence lame "$source"
}

# With MinGW's 32-bit off_t, mpg123 offers its file functions only by their 64-bit names
# (mpg123_seek_64); libsndfile asks for those when it is built with a 64-bit off_t too.
build_libsndfile() {
  local source; source="$(unpack libsndfile)"
  cmake_build libsndfile "$source" -DBUILD_SHARED_LIBS=ON -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=ON \
    -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF \
    -DENABLE_PACKAGE_CONFIG=OFF -DINSTALL_MANPAGES=OFF -DENABLE_COMPATIBLE_LIBSNDFILE_NAME=ON \
    -DCMAKE_SHARED_LINKER_FLAGS="-static-libgcc" -DCMAKE_C_FLAGS="-D_FILE_OFFSET_BITS=64"
  cmake_install libsndfile
  licence libsndfile "$source"
}

# What the shared recipes ask of this toolchain (tools/library-recipes.sh): ImGui with its GLUT
# and OpenGL 2 back ends against the static freeglut, and a pkg-config file for each library.
cxx=$host-g++-posix
ar=$host-ar
imgui_gl=opengl2
imgui_flags="-DFREEGLUT_STATIC -I$prefix/include"
describe_library() { write_pc "$1" "$2" "$3" "${UPSTREAM_VERSION[$1]}" "${4:-}"; }
source "$source_root/tools/library-recipes.sh"

build_googletest() {
  local source; source="$(unpack googletest)"
  cmake_build googletest "$source" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
  cmake_install googletest
}

# The MinGW runtime is linked into the programs; its notices go with them.
build_runtime_licences() {
  cp /usr/share/doc/mingw-w64-common/copyright "$prefix/share/licenses/mingw-w64.txt"
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$prefix/share/licenses/gcc-runtime.txt"
}

build_libraries zlib libpng libjpeg freeglut glew bullet sdl2 mpg123 lame libsndfile kissfft imgui \
  googletest runtime_licences
