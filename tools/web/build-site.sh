#!/usr/bin/env bash
# Builds Fuzzlets for the browser on Debian: installs what is missing, builds the libraries once
# (tools/web/build-deps.sh caches them), builds the program with Emscripten in build-web/ and
# writes
#   build-web/site/                          index.html, fuzzlets.js, .wasm and .data
#   build-web/fuzzlets-<version>-web.zip     the same folder, for any static web host
#
#   tools/web/build-site.sh [CMAKE_OPTION...]
set -euo pipefail
cd "$(dirname "$0")/../.."

bash tools/install-deps.sh --web
deps=$(tools/web/build-deps.sh | tail -1)
# Debian's emscripten runs its JavaScript tools with the node on PATH, which may not search
# Debian's module folder.
export NODE_PATH=/usr/share/nodejs

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DFUZZLETS_WEB_DEPS="$deps" "$@" >/dev/null
cmake --build build-web -j2
version=$(sed -n 's/^project(Fuzzlets VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip="build-web/fuzzlets-$version-web.zip"
rm -f "$zip"
(cd build-web/site && zip -q -9 -r "../$(basename "$zip")" .)
echo "$zip: $(du -k "$zip" | cut -f1) KB"
