# GL 2.0 on OpenGL ES 3.0: the layer, and the program's library built again through it
# (add_fuzzlets_through_layer, cmake/ProgramSources.cmake, which the page shares). On the desktop
# the ES 3.0 entry points come from libGL, which dispatches to Mesa's compatibility context; it
# takes GLSL ES 3.00 shaders (GL_ARB_ES3_compatibility), so the layer draws on the plain build's
# rasteriser. No GLEW and no GLU here.
set(LAYER_PLATFORM_SOURCES ${PLATFORM_SOURCES})
list(REMOVE_ITEM LAYER_PLATFORM_SOURCES platform/GlContext.cpp)
add_fuzzlets_through_layer(fuzzlets_gl_layer fuzzlets_core_gles STATIC decoded ${LAYER_PLATFORM_SOURCES})
target_link_libraries(fuzzlets_gl_layer PUBLIC OpenGL::GL)
target_include_directories(fuzzlets_core_gles SYSTEM PUBLIC ${BULLET_INCLUDE_DIRS})
target_link_libraries(fuzzlets_core_gles PUBLIC
  PkgConfig::GLUT PkgConfig::BULLET PkgConfig::PNG PkgConfig::JPEG PkgConfig::SDL2 PkgConfig::SNDFILE
  PkgConfig::KISSFFT PkgConfig::IMGUI ${PLATFORM_LIBRARIES})

foreach(program fuzzlets:app/main.cpp fuzzlets-capture:tools/fuzzlets-capture.cpp fuzzlets-bench:tools/fuzzlets-bench.cpp)
  string(REPLACE ":" ";" parts ${program})
  list(GET parts 0 name)
  list(GET parts 1 source)
  add_executable(${name}-gles ${CMAKE_SOURCE_DIR}/${source})
  target_link_libraries(${name}-gles PRIVATE fuzzlets_core_gles)
endforeach()
