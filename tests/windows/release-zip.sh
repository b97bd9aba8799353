#!/usr/bin/env bash
# The released zip as a user meets it: unpacked into a folder (one with a name in several
# scripts too), the program started from another folder finds its data beside itself, shows its
# window, prints its start-up lines and quits on Escape with status 0; and every DLL the programs
# and libraries import is in the zip or one of Windows' own.
#   release-zip.sh ZIP
source "$(dirname "$0")/wine-support.sh"
zip=$(realpath "$1")
mkdir "$scratch/elsewhere"

# What every Windows since 7 has in its system folder, of what these programs use.
WINDOWS_DLLS="advapi32 gdi32 glu32 imm32 kernel32 msvcrt ole32 oleaut32 opengl32 shell32 shlwapi
user32 version winmm"

for folder in "plain" "Fuzzlets — ünïcødé 测试"; do
  unzip -q "$zip" -d "$scratch/$folder"
  release=$(echo "$scratch/$folder"/fuzzlets-*-win64)
  run_and_quit "$release/fuzzlets.exe" "$scratch/elsewhere"
done

shopt -s nullglob
for binary in "$release"/*.exe "$release"/*.dll; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
    [ -e "$release/$dll" ] && continue
    grep -qiw "${dll%.*}" <<<"$WINDOWS_DLLS" || fail "$(basename "$binary") imports $dll, which is neither in the zip nor Windows' own"
  done
done
echo "ok: every DLL imported is in the zip or Windows' own"
