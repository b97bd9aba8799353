#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Fuzzlets needs.
# This list is the only one: the README commands and CI all come through here. With --windows,
# also what building and testing the Windows release needs; with --web, the browser build's.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  freeglut3-dev libglew-dev libglu1-mesa-dev libgl1-mesa-dri libgles-dev
  libbullet-dev libdevil-dev libpng-dev libjpeg-dev libimgui-dev
  libsdl2-dev libsndfile1-dev libkissfft-dev
  libgtest-dev libgmock-dev
  xvfb xauth xdotool x11-utils openbox glslang-tools
  lame
  ffmpeg desktop-file-utils appstream man-db dpkg-dev file
  apitrace  # counts a frame's GL calls: tools/count-gl-calls.sh
)
# The Windows release (tools/windows/build-release.sh): the MinGW-w64 cross compiler, what builds
# the libraries from Debian's sources, NSIS for the installer, and Wine to test it all.
windows_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev dpkg-dev quilt
  nsis unzip wine wine64
)
# The browser build (tools/web/build-site.sh): Emscripten, Debian's node modules its tools need,
# stb for the page's images, what builds the libraries from Debian's sources, and the headless
# browser with the DevTools client its test drives it through.
web_packages=(
  emscripten node-acorn libstb-dev dpkg-dev quilt zip
  libjs-codemirror cmark-gfm
  chromium-headless-shell python3-websocket python3-pil
)
for option in "$@"; do
  case "$option" in
    --windows) packages+=("${windows_packages[@]}") ;;
    --web) packages+=("${web_packages[@]}") ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
