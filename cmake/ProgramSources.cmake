# The program's own sources (all but main and platform/), and the recipe that builds them through
# the GL layer, which the desktop's layer build (gles/Layer.cmake) and the page
# (cmake/Browser.cmake) share.
#
# Where a concern differs by build, its sources stand side by side, each named for its build, and
# fuzzlets_sources() gives a build its own:
#   render/GlslDialect_desktop.cpp  GLSL 1.10           render/GlslDialect_layer.cpp     GLSL ES 3.00
#   audio/SoundFile.cpp             libsndfile decodes  audio/SoundFile_synthesized.cpp  the loop made
file(GLOB FUZZLETS_ALL_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/render/*.cpp ${CMAKE_SOURCE_DIR}/furballs/*.cpp
  ${CMAKE_SOURCE_DIR}/physics/*.cpp ${CMAKE_SOURCE_DIR}/camera/*.cpp ${CMAKE_SOURCE_DIR}/audio/*.cpp)
set(BUILD_CHOSEN_SOURCES app/main.cpp render/GlslDialect_desktop.cpp render/GlslDialect_layer.cpp
  audio/SoundFile.cpp audio/SoundFile_synthesized.cpp)
list(TRANSFORM BUILD_CHOSEN_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
list(REMOVE_ITEM FUZZLETS_ALL_SOURCES ${BUILD_CHOSEN_SOURCES})
set_source_files_properties(app/CommandLine.cpp PROPERTIES COMPILE_DEFINITIONS
  "FUZZLETS_VERSION=\"${PROJECT_VERSION}\"")

# fuzzlets_sources(OUT GLSL MUSIC): GLSL is desktop or layer, MUSIC is decoded or synthesized.
function(fuzzlets_sources out glsl music)
  set(music_source SoundFile.cpp)
  if(music STREQUAL "synthesized")
    set(music_source SoundFile_synthesized.cpp)
  endif()
  set(${out} ${FUZZLETS_ALL_SOURCES} ${CMAKE_SOURCE_DIR}/render/GlslDialect_${glsl}.cpp
    ${CMAKE_SOURCE_DIR}/audio/${music_source} PARENT_SCOPE)
endfunction()

# add_fuzzlets_through_layer(LAYER CORE TYPE MUSIC PLATFORM_SOURCE...): LAYER, the GL layer
# (gles/) with the registry of what a restored context makes again, and CORE, the program's
# library on it with the platform sources given, both libraries of TYPE. gles/ comes first on
# CORE's include path, so that its GL/glew.h, GL/glu.h, GL/freeglut.h and ImGui back-end header
# stand where the desktop's are: a GL 2.0 call the layer does not supply fails to compile or link.
function(add_fuzzlets_through_layer layer core type music)
  file(GLOB layer_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/gles/*.cpp)
  add_library(${layer} ${type} ${layer_sources} ${CMAKE_SOURCE_DIR}/platform/GlContext.cpp)
  target_include_directories(${layer} PUBLIC ${CMAKE_SOURCE_DIR})
  if(FUZZLETS_STRICT_GL_LAYER)
    target_compile_definitions(${layer} PRIVATE FUZZLETS_STRICT_GL_LAYER)
  endif()
  fuzzlets_sources(sources layer ${music})
  add_library(${core} ${type} ${sources} ${ARGN})
  target_include_directories(${core} BEFORE PUBLIC ${CMAKE_SOURCE_DIR}/gles)
  target_include_directories(${core} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${core} PUBLIC ${layer})
endfunction()
