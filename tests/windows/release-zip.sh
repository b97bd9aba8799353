#!/usr/bin/env bash
# The released zip as a user meets it: unpacked into a folder (one with a name in several
# scripts too), the program started from another folder finds its data beside itself, shows its
# window, prints its start-up lines and quits on Escape with status 0; started in a console it
# prints there and Ctrl+C ends it; and every DLL the programs and libraries import is in the zip
# or one of Windows' own.
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

# In a console (a pseudo-terminal, as a user's terminal is) it prints its start-up lines there,
# and Ctrl+C typed into it ends it in order, with SIGINT's status as on Linux. Wine's console
# draws a space as a cursor step.
console_text() {
  sed -e 's/\x1b\[1C/ /g' -e 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$scratch/console" | tr -d '\r'
}
shows_start_up() {
  [[ "$(console_text)" == *"$START_UP_LINES"* ]]
}
mkfifo "$scratch/keyboard"
(cd "$scratch/elsewhere" && script -qfec "wine '$release/fuzzlets.exe'" "$scratch/console" <"$scratch/keyboard" >/dev/null &&
 echo 0 >"$scratch/status" || echo $? >"$scratch/status") &
exec 3>"$scratch/keyboard"
wait_until "the start-up lines in the console" shows_start_up
printf '\003' >&3
wait_until "the program to end after Ctrl+C" test -s "$scratch/status"
[ "$(cat "$scratch/status")" = 130 ] || fail "Ctrl+C in the console ended it with status $(cat "$scratch/status"); the console showed: $(console_text)"
echo "ok: started in a console, it printed its start-up lines there and ended on Ctrl+C"

shopt -s nullglob
for binary in "$release"/*.exe "$release"/*.dll; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
    [ -e "$release/$dll" ] && continue
    grep -qiw "${dll%.*}" <<<"$WINDOWS_DLLS" || fail "$(basename "$binary") imports $dll, which is neither in the zip nor Windows' own"
  done
done
echo "ok: every DLL imported is in the zip or Windows' own"
