#!/usr/bin/env bash
# Builds the Windows release on Debian: installs what is missing, cross-builds the libraries once
# (tools/windows/build-deps.sh caches them), cross-builds the programs in build-win/ and writes
#   build-win/fuzzlets-<version>-win64.zip
#   build-win/fuzzlets-<version>-win64-setup.exe
#
#   tools/windows/build-release.sh [--tests] [CMAKE_OPTION...]
# --tests also builds the tests of the Windows build (run them with tools/test.sh, or with
# ctest --test-dir build-win on an X display).
set -euo pipefail
cd "$(dirname "$0")/../.."

tests=OFF
if [ "${1:-}" = --tests ]; then
  tests=ON
  shift
fi

bash tools/install-deps.sh --windows
deps=$(tools/windows/build-deps.sh | tail -1)

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DFUZZLETS_WIN64_DEPS="$deps" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZLETS_TESTS=$tests "$@" >/dev/null
cmake --build build-win -j2
(cd build-win && cpack >/dev/null)
for package in build-win/fuzzlets-*-win64.zip build-win/fuzzlets-*-win64-setup.exe; do
  echo "$package: $(du -k "$package" | cut -f1) KB"
done
