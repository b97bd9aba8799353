# The libraries both cross builds make, one recipe each: Bullet, KissFFT and Dear ImGui. Sourced
# after tools/source-packages.sh by tools/windows/build-deps.sh and tools/web/build-deps.sh, which
# supply their toolchain's side:
#   cmake_build NAME SOURCE OPTION...       configures and builds (`targets=...` before it limits
#                                           what is built)
#   cxx, ar                                 the C++ compiler and archiver ImGui's files are built with
#   imgui_gl, imgui_flags                   ImGui's GL back end (opengl2, opengl3) and its flags
#   describe_library NAME LIBS CFLAGS [REQUIRES]
#                                           whatever else the build records of a library it made

# Only the three libraries the demo links, in single precision; Debian's FindOpenGL wrapper is
# not wanted.
build_bullet() {
  local source; source="$(unpack bullet)"
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
  describe_library bullet "-lBulletDynamics -lBulletCollision -lLinearMath" "-I\${includedir}/bullet"
  licence bullet "$source"
}

build_kissfft() {
  local source; source="$(unpack kissfft)"
  cmake_build kissfft "$source" -DKISSFFT_STATIC=ON -DKISSFFT_TEST=OFF -DKISSFFT_TOOLS=OFF \
    -DKISSFFT_DATATYPE=float -DKISSFFT_PKGCONFIG=ON \
    -DCMAKE_INSTALL_LIBDIR="$prefix/lib" -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include"
  cmake --install "$work/build/kissfft" >>"$log" 2>&1
  licence kissfft "$source"
}

# Debian's makefile builds every back end against the system's stb: the core and the two back
# ends the program uses (GLUT, and GL) are compiled here, with ImGui's bundled stb headers.
build_imgui() {
  local source; source="$(unpack imgui)"
  local build="$work/build/imgui" file
  mkdir -p "$build"
  for file in imgui imgui_draw imgui_tables imgui_widgets imgui_demo backends/imgui_impl_glut \
    "backends/imgui_impl_$imgui_gl"; do
    $cxx -O2 -DNDEBUG $imgui_flags -I"$source" -c "$source/$file.cpp" -o "$build/$(basename "$file").o" >>"$log" 2>&1
  done
  rm -f "$prefix/lib/libimgui.a"
  $ar rcs "$prefix/lib/libimgui.a" "$build"/*.o
  mkdir -p "$prefix/include/imgui/backends"
  cp "$source"/imgui.h "$source"/imconfig.h "$source"/imgui_internal.h "$source"/imstb_*.h "$prefix/include/imgui/"
  cp "$source"/backends/imgui_impl_glut.h "$source/backends/imgui_impl_$imgui_gl"*.h "$prefix/include/imgui/backends/"
  describe_library imgui "-limgui" "-I\${includedir}/imgui" glut
  licence imgui "$source"
}
