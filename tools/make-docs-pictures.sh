#!/usr/bin/env bash
# Remakes every picture in docs/, the README's included, and the program's icons in
# desktop/icons/ (the PNGs, and fuzzlets.ico for the Windows executable holding them all), with fuzzlets-capture (and ffmpeg to scale the icons). A capture is repeatable
# to the byte, so running this twice gives the same files.
#   tools/make-docs-pictures.sh [CAPTURE]
# CAPTURE is a fuzzlets-capture to use; without it a Release one is built in build-docs/.
# Needs Xvfb: the pictures are taken on an X display of their own, so that nothing else on the
# user's screen can get into them.
set -euo pipefail
cd "$(dirname "$0")/.."

capture=${1:-}
if [ -z "$capture" ]; then
  cmake -S . -B build-docs -DCMAKE_BUILD_TYPE=Release -DFUZZLETS_TESTS=OFF >/dev/null
  cmake --build build-docs -j2 --target fuzzlets-capture >/dev/null
  capture=build-docs/tools/fuzzlets-capture
fi

scratch=$(mktemp -d)
display_number=90
while [ -e "/tmp/.X${display_number}-lock" ]; do display_number=$((display_number + 1)); done
Xvfb ":${display_number}" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
export DISPLAY=":${display_number}" SDL_AUDIODRIVER=dummy
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

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
picture panel 30 --at 1:tap=Tab
picture fur-length-3 150 --size 320x240 --at 1:tap=m --set fur-length=3
picture shadow-map-256 45 --size 480x360 --at 1:tap=1 --set shadow-map-size=256
picture shadow-map-4096 45 --size 480x360 --at 1:tap=1 --set shadow-map-size=4096
picture soft-shadows-off 45 --size 480x360 --set soft-shadows=off
picture gravity-0 120 --size 480x360 --set gravity=0
picture look-hair-ball 150 --size 320x240 --at 1:tap=m
picture look-plain-ball 150 --size 320x240 --at 1:tap=m --set hair-lighting=off
picture look-hair-room 320 --at 1:tap=u
picture look-plain-room 320 --at 1:tap=u --set hair-lighting=off
picture look-hair-light-1 240 --size 480x360 --set light-speed=4 --set rest-seconds=10
picture look-hair-light-2 480 --size 480x360 --set light-speed=4 --set rest-seconds=10
picture look-plain-leap 360 --size 320x240 --at 1:tap=m --at 295:tap=p --set hair-lighting=off

# The icon: a followed fur ball, the square's middle three quarters (the frame rate shown in the
# corner left out), scaled to the sizes desktops ask for.
echo "desktop/icons/*.png: fuzzlets-capture --frames 150 --size 320x320 --at 1:tap=m"
"$capture" --quiet --frames 150 --size 320x320 --at 1:tap=m --output "$scratch/icon" >/dev/null
for size in 16 24 32 48 64 128 256; do
  ffmpeg -loglevel error -y -i "$scratch/icon/frame-00150.png" -vf "crop=240:240,scale=$size:$size:flags=lanczos" \
    -flags +bitexact -fflags +bitexact "desktop/icons/$size.png"
done
# Windows takes every size from one .ico, each entry a PNG.
ico_options=()
stream=0
for size in 16 24 32 48 64 128 256; do
  ico_options+=(-i "desktop/icons/$size.png")
done
for size in 16 24 32 48 64 128 256; do
  ico_options+=(-map "$stream")
  stream=$((stream + 1))
done
ffmpeg -loglevel error -y "${ico_options[@]}" -c png -pix_fmt rgba -flags +bitexact -fflags +bitexact \
  desktop/icons/fuzzlets.ico
