#!/usr/bin/env bash
# The released fuzzlets-capture.exe draws the same pictures as the Linux build, pixel for
# pixel once decoded, and writes the same WAV bytes: the same script, the same files. (Wine draws
# with the host's Mesa, so this shows that the two builds of our code agree, not that every
# Windows driver draws alike.)
#   capture.sh ZIP LINUX_CAPTURE
source "$(dirname "$0")/wine-support.sh"
zip=$(realpath "$1")
linux_capture=$(realpath "$2")
unzip -q "$zip" -d "$scratch/release"

script=(--quiet --frames 12 --every 6 --at 1:tap=u --at 7:key=w --at 9:release=w --at 10:move=40,-10
  --at 6:tap=F12)
# The Linux build may be the sanitizer build: Mesa's own allocations are no leaks of ours.
(cd "$(dirname "$0")/../.." && ASAN_OPTIONS=detect_leaks=0 "$linux_capture" "${script[@]}" --output "$scratch/linux")
(cd "$scratch" && wine "$scratch"/release/fuzzlets-*-win64/fuzzlets-capture.exe "${script[@]}" --output windows)

# pixels BUILD PICTURE: the picture's decoded RGBA bytes, in a file beside it.
pixels() {
  ffmpeg -v error -i "$scratch/$1/$2" -f rawvideo -pix_fmt rgba -y "$scratch/$1/$2.rgba"
  [ -s "$scratch/$1/$2.rgba" ] || fail "$1/$2 did not decode"
}
for picture in frame-00006.png frame-00012.png fuzzlets-0001.png; do
  pixels linux "$picture"
  pixels windows "$picture"
  cmp -s "$scratch/linux/$picture.rgba" "$scratch/windows/$picture.rgba" ||
    fail "$picture: the pixels differ from the Linux build's"
done
cmp "$scratch/linux/music.wav" "$scratch/windows/music.wav" || fail "music.wav differs from the Linux build's"
echo "ok: the same pixels and WAV bytes as the Linux build"
