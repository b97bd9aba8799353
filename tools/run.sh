#!/usr/bin/env bash
# Builds Fuzzlets (installing what is missing) and runs it from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DFUZZLETS_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target fuzzlets

if [ -z "${DISPLAY:-}" ]; then
  echo "No X display (\$DISPLAY is empty): Fuzzlets needs a window."
  echo "Run it under a virtual display instead:"
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' tools/run.sh"
  exit 1
fi
exec ./build/fuzzlets
