# GL 2.0 on OpenGL ES 3.0: the layer, and the program's library built again through it. This
# folder comes first on that library's include path, so its GL/glew.h, GL/glu.h, GL/freeglut.h
# and ImGui back-end header stand where the desktop's are. On the desktop the ES 3.0 entry
# points come from libGL, which dispatches to Mesa's compatibility context; it takes GLSL ES
# 3.00 shaders (GL_ARB_ES3_compatibility), so the layer draws on the plain build's rasteriser.
# The layer forgets its own objects when a lost context comes back, so the registry of what
# is made again lives with it, below the program's library.
file(GLOB LAYER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/gles/*.cpp)
add_library(fuzzlets_gl_layer STATIC ${LAYER_SOURCES} ${CMAKE_SOURCE_DIR}/platform/GlContext.cpp)
target_include_directories(fuzzlets_gl_layer PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(fuzzlets_gl_layer PUBLIC OpenGL::GL)

# No GLEW and no GLU: a GL 2.0 call the layer does not supply fails to compile or to link. The
# layer's GLSL dialect stands in for the desktop's.
set(LAYER_CORE_SOURCES ${FUZZLETS_SOURCES})
list(REMOVE_ITEM LAYER_CORE_SOURCES ${CMAKE_SOURCE_DIR}/render/GlslDialect_desktop.cpp)
set(LAYER_PLATFORM_SOURCES ${PLATFORM_SOURCES})
list(REMOVE_ITEM LAYER_PLATFORM_SOURCES platform/GlContext.cpp)
add_library(fuzzlets_core_gles STATIC ${LAYER_CORE_SOURCES} ${LAYER_PLATFORM_SOURCES})
target_include_directories(fuzzlets_core_gles BEFORE PUBLIC ${CMAKE_SOURCE_DIR}/gles)
target_include_directories(fuzzlets_core_gles PUBLIC ${CMAKE_SOURCE_DIR})
target_include_directories(fuzzlets_core_gles SYSTEM PUBLIC ${BULLET_INCLUDE_DIRS})
target_link_libraries(fuzzlets_core_gles PUBLIC fuzzlets_gl_layer
  PkgConfig::GLUT PkgConfig::BULLET PkgConfig::PNG PkgConfig::JPEG PkgConfig::SDL2 PkgConfig::SNDFILE
  PkgConfig::KISSFFT PkgConfig::IMGUI ${PLATFORM_LIBRARIES})

foreach(program fuzzlets:app/main.cpp fuzzlets-capture:tools/fuzzlets-capture.cpp fuzzlets-bench:tools/fuzzlets-bench.cpp)
  string(REPLACE ":" ";" parts ${program})
  list(GET parts 0 name)
  list(GET parts 1 source)
  add_executable(${name}-gles ${CMAKE_SOURCE_DIR}/${source})
  target_link_libraries(${name}-gles PRIVATE fuzzlets_core_gles)
endforeach()
