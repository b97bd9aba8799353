# GL 2.0 on OpenGL ES 3.0: the layer, and the program's library built again through it
# (add_fuzzlets_through_layer, cmake/ProgramSources.cmake, which the page shares). On the desktop
# the ES 3.0 entry points come from libGL, which dispatches to the OpenGL ES context
# platform/EsContext_linux.cpp asks GLX for, on the plain build's rasteriser. No GLEW and no GLU here.
set(LAYER_PLATFORM_SOURCES ${PLATFORM_SOURCES})
list(REMOVE_ITEM LAYER_PLATFORM_SOURCES platform/GlContext.cpp)
add_fuzzlets_through_layer(fuzzlets_gl_layer fuzzlets_core_gles STATIC decoded ${LAYER_PLATFORM_SOURCES})
target_link_libraries(fuzzlets_gl_layer PUBLIC OpenGL::GL)

# The programs draw on an OpenGL ES context where the driver offers one. Nothing of them calls
# the GLX entry point that asks for it, freeglut does: each is told to take it from the library.
# The layer's own test compares it with Mesa's desktop state, and keeps the desktop context.
target_sources(fuzzlets_core_gles PRIVATE platform/EsContext_linux.cpp)
target_link_libraries(fuzzlets_core_gles PUBLIC ${CMAKE_DL_LIBS})
target_link_options(fuzzlets_core_gles INTERFACE -Wl,--undefined=glXCreateNewContext)
# Dear ImGui's OpenGL 3 back end built for ES 3.0, as the page's is: Debian's library holds the
# desktop build, which asks an ES context for state it does not have.
find_file(IMGUI_OPENGL3_SOURCE imgui_impl_opengl3.cpp PATHS /usr/share/doc/libimgui-dev/examples/backends
          NO_DEFAULT_PATH REQUIRED)
find_path(IMGUI_BACKENDS_DIR imgui_impl_opengl3.h PATH_SUFFIXES imgui/backends REQUIRED)
target_sources(fuzzlets_core_gles PRIVATE ${IMGUI_OPENGL3_SOURCE})
set_source_files_properties(${IMGUI_OPENGL3_SOURCE} PROPERTIES COMPILE_DEFINITIONS IMGUI_IMPL_OPENGL_ES3
                            INCLUDE_DIRECTORIES ${IMGUI_BACKENDS_DIR} COMPILE_OPTIONS -w)
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
