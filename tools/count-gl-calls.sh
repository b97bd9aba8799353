#!/usr/bin/env bash
# Counts the GL calls of one frame as apitrace records them: every entry point of the driver,
# GLU's and freeglut's own calls included. In the default view, with the help panel and with
# the settings panel; prints a table, then the same figures as JSON.
#   tools/count-gl-calls.sh [CAPTURE]
# CAPTURE is a fuzzlets-capture to trace; without it a Release one is built in build-bench/.
# Needs an X display.
set -euo pipefail
cd "$(dirname "$0")/.."

capture=${1:-}
if [ -z "$capture" ]; then
  cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DFUZZLETS_TESTS=OFF >/dev/null
  cmake --build build-bench -j"$(nproc)" --target fuzzlets-capture >/dev/null
  capture=build-bench/tools/fuzzlets-capture
fi
capture=$(realpath "$capture")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# calls VIEW OPTION...: the third frame's calls, between its second and third swaps; the first
# frame carries start-up.
calls() {
  local view=$1
  shift
  apitrace trace --output "$scratch/$view.trace" "$capture" --quiet --frames 3 --output "$scratch/$view" "$@" \
    >/dev/null 2>&1
  apitrace dump --color=never --arg-names=no "$scratch/$view.trace" |
    awk '/^[0-9]+ / { calls++ } / glXSwapBuffers\(/ { if (++swaps == 3) print calls; calls = 0 }'
}

default=$(calls default)
help=$(calls help --at 1:tap=h)
panel=$(calls panel --at 1:tap=Tab)
printf '%-28s %10s\n' "view" "GL calls" "default" "$default" "help panel" "$help" "settings panel" "$panel"
printf '{"gl_calls_per_frame": {"default": %d, "help": %d, "panel": %d}}\n' "$default" "$help" "$panel"
