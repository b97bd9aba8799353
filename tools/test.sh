#!/usr/bin/env bash
# Builds Fuzzlets with AddressSanitizer and UndefinedBehaviorSanitizer (installing what is
# missing) and runs every test; then cross-builds the Windows release and runs its tests under
# Wine; then builds the page and tests it in a headless Chromium. Starts its own X server when
# there is no display. Arguments go to both ctest runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh --windows --web
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZLETS_SANITIZE=ON -DFUZZLETS_WERROR=ON \
  -DFUZZLETS_GL_LAYER=ON -DFUZZLETS_STRICT_GL_LAYER=ON >/dev/null
cmake --build build-tests -j"$(nproc)"

export SDL_AUDIODRIVER=dummy
if [ -z "${DISPLAY:-}" ]; then
  display_number=99
  while [ -e "/tmp/.X${display_number}-lock" ]; do display_number=$((display_number + 1)); done
  # -noreset: otherwise the server resets when the readiness probe below disconnects, and a test
  # connecting during that reset cannot open the display.
  Xvfb ":${display_number}" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  export DISPLAY=":${display_number}"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

status=0
ctest --test-dir build-tests --output-on-failure -j"$(nproc)" "$@" || status=$?

# The Windows build: its unit and window tests, its zip and installer, and its pictures against
# the Linux build's.
tools/windows/build-release.sh --tests -DFUZZLETS_LINUX_CAPTURE="$PWD/build-tests/tools/fuzzlets-capture"
ctest --test-dir build-win --output-on-failure -j"$(nproc)" "$@" || status=$?

# The browser build: the page in Chromium on SwiftShader, its picture against the desktop's.
tools/web/build-site.sh -DFUZZLETS_WERROR=ON
/usr/bin/python3 tests/web/page_test.py build-web/site docs/fuzzlets.png build-tests/tools/fuzzlets-capture || status=$?
exit "$status"
