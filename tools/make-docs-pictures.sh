#!/usr/bin/env bash
# Remakes every picture in docs/, the README's included, with fuzzlets-capture. A capture is
# repeatable to the byte, so running this twice gives the same files.
#   tools/make-docs-pictures.sh [CAPTURE]
# CAPTURE is a fuzzlets-capture to use; without it a Release one is built in build-docs/.
# Needs an X display; without one, put xvfb-run -a -s '-screen 0 1280x1024x24' in front.
set -euo pipefail
cd "$(dirname "$0")/.."

capture=${1:-}
if [ -z "$capture" ]; then
  cmake -S . -B build-docs -DCMAKE_BUILD_TYPE=Release -DFUZZLETS_TESTS=OFF >/dev/null
  cmake --build build-docs -j2 --target fuzzlets-capture >/dev/null
  capture=build-docs/tools/fuzzlets-capture
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "make-docs-pictures: no X display; run it under xvfb-run" >&2
  exit 1
fi
export SDL_AUDIODRIVER=dummy

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# picture NAME FRAMES OPTION...: captures FRAMES frames and keeps the last as docs/NAME.png.
picture() {
  local name=$1 frames=$2
  shift 2
  echo "docs/$name.png: fuzzlets-capture --frames $frames $*"
  "$capture" --quiet --frames "$frames" "$@" --output "$scratch/$name" >/dev/null
  cp "$scratch/$name/$(printf 'frame-%05d.png' "$frames")" "docs/$name.png"
}

picture fuzzlets 320 --at 1:tap=u
picture shells-40 150 --size 320x240 --at 1:tap=m
picture shells-8 150 --size 320x240 --at 1:tap=m --at 1:tap=2
picture shells-1 150 --size 320x240 --at 1:tap=m --at 1:tap=2 --at 1:tap=2
picture shadow-map 45 --size 480x360 --at 1:tap=1
picture paused 360 --size 320x240 --at 1:tap=m --at 295:tap=p
picture help 20 --size 480x360 --at 1:tap=h --at 1:tap=2 --at 1:tap=p
