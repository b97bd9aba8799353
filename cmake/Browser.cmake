# The browser build, configured by emcmake: the program through the GL layer (gles/) on
# WebGL 2, linked into fuzzlets.js and fuzzlets.wasm with its shaders and textures preloaded
# from fuzzlets.data, and the page with those three files in site/. The libraries come from
# the prefix tools/web/build-deps.sh makes; Emscripten brings GLUT and the GLES 3 headers.
set(FUZZLETS_WEB_DEPS "" CACHE PATH "Bullet, KissFFT and Dear ImGui built by tools/web/build-deps.sh")
if(NOT EXISTS "${FUZZLETS_WEB_DEPS}/lib/libimgui.a")
  message(FATAL_ERROR "FUZZLETS_WEB_DEPS must name the prefix tools/web/build-deps.sh printed")
endif()

add_library(web_libraries INTERFACE)
target_include_directories(web_libraries SYSTEM INTERFACE
  ${FUZZLETS_WEB_DEPS}/include/bullet ${FUZZLETS_WEB_DEPS}/include/imgui ${FUZZLETS_WEB_DEPS}/include/kissfft)
# stb's headers as Debian ships them (libstb-dev): the page's image codec.
target_include_directories(web_libraries SYSTEM INTERFACE /usr/include/stb)
target_compile_definitions(web_libraries INTERFACE kiss_fft_scalar=float)
target_link_libraries(web_libraries INTERFACE
  ${FUZZLETS_WEB_DEPS}/lib/libimgui.a ${FUZZLETS_WEB_DEPS}/lib/libkissfft-float.a
  ${FUZZLETS_WEB_DEPS}/lib/libBulletDynamics.a ${FUZZLETS_WEB_DEPS}/lib/libBulletCollision.a
  ${FUZZLETS_WEB_DEPS}/lib/libLinearMath.a)

# The page's side of each concern; where a POSIX or Linux side works in the page unchanged
# (clock, console, the installed-data search and memory figures, which find nothing there), it
# serves. The music is synthesised, not decoded.
set(BROWSER_PLATFORM_SOURCES
  platform/SwapControl.cpp platform/SwapControl_browser.cpp platform/Glut_browser.cpp
  platform/ImageFiles_browser.cpp platform/SoundDevice_browser.cpp
  platform/StopRequests_browser.cpp platform/ChildProcess_posix.cpp platform/Clock_posix.cpp
  platform/Console_posix.cpp platform/DataFolder_linux.cpp platform/MemoryFigures_linux.cpp
  platform/FramePacing_browser.cpp platform/PixelRatio_browser.cpp)
# Object libraries: every object is linked, as in one executable, whatever main names.
add_fuzzlets_through_layer(page_gl_layer page_core OBJECT synthesized ${BROWSER_PLATFORM_SOURCES})
# After the layer's GL headers, the freeglut extensions the page's GLUT lacks.
target_include_directories(page_core PUBLIC ${CMAKE_SOURCE_DIR}/platform/browser)
target_link_libraries(page_core PUBLIC web_libraries)

add_executable(fuzzlets app/main.cpp web/LabCalls.cpp)
target_link_libraries(fuzzlets PRIVATE page_core page_gl_layer)
set_source_files_properties(app/DataFolders.cpp PROPERTIES COMPILE_DEFINITIONS
  "FUZZLETS_SOURCE_DIR=\"/\";FUZZLETS_INSTALLED_DATA_DIR=\"/\"")
set_target_properties(fuzzlets PROPERTIES SUFFIX .js)
target_link_options(fuzzlets PRIVATE
  -lglut -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -sALLOW_MEMORY_GROWTH=1
  # The lab's editor writes the shader files and calls web/LabCalls.cpp.
  -sEXPORTED_RUNTIME_METHODS=ccall,FS
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/shader/glsl@/shader/glsl"
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/media/textures@/media/textures")
set_property(TARGET fuzzlets APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/index.html)

# site/: the page and what it loads, ready for any static web host: the program, the lab's
# scripts, Debian's CodeMirror (the editor, its GLSL highlighting and a dark theme), and
# docs/how-it-works.md as HTML with the pictures it shows.
set(FUZZLETS_SITE ${CMAKE_BINARY_DIR}/site)
set(CODEMIRROR /usr/share/javascript/codemirror)
find_program(CMARK cmark-gfm REQUIRED)
file(GLOB LAB_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/lab/*.js)
file(READ ${CMAKE_SOURCE_DIR}/docs/how-it-works.md GUIDE_TEXT)
string(REGEX MATCHALL "\\(([a-z0-9-]+\\.png)\\)" GUIDE_PICTURES "${GUIDE_TEXT}")
list(TRANSFORM GUIDE_PICTURES REPLACE "[()]" "")
list(REMOVE_DUPLICATES GUIDE_PICTURES)
list(TRANSFORM GUIDE_PICTURES PREPEND ${CMAKE_SOURCE_DIR}/docs/)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/how-it-works.md)
set_property(TARGET fuzzlets APPEND PROPERTY LINK_DEPENDS ${LAB_SCRIPTS} ${CMAKE_SOURCE_DIR}/docs/how-it-works.md)
add_custom_command(TARGET fuzzlets POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${FUZZLETS_SITE}/lab ${FUZZLETS_SITE}/codemirror ${FUZZLETS_SITE}/docs
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/index.html fuzzlets.js fuzzlets.wasm fuzzlets.data
    ${FUZZLETS_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy ${LAB_SCRIPTS} ${FUZZLETS_SITE}/lab
  COMMAND ${CMAKE_COMMAND} -E copy ${CODEMIRROR}/lib/codemirror.js ${CODEMIRROR}/lib/codemirror.css
    ${CODEMIRROR}/mode/clike/clike.js ${CODEMIRROR}/theme/material-darker.css ${FUZZLETS_SITE}/codemirror
  # The guide's controls are HTML comments in the Markdown, kept by --unsafe, hidden elsewhere.
  COMMAND ${CMARK} --unsafe --extension table ${CMAKE_SOURCE_DIR}/docs/how-it-works.md > ${FUZZLETS_SITE}/how-it-works.html
  COMMAND ${CMAKE_COMMAND} -E copy ${GUIDE_PICTURES} ${FUZZLETS_SITE}/docs
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
