#!/usr/bin/env bash
# The released zip as a user meets it: unpacked into a folder (one with a name in several
# scripts too), the program started from another folder finds its data beside itself, shows its
# window, prints its start-up lines and quits on Escape with status 0; started in a console it
# prints there and Ctrl+C ends it; on too old a driver it says so, in a box or the console; and
# every DLL the programs and libraries import is in the zip or one of Windows' own.
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
# Wine's console now and then misses a Ctrl+C typed while it is still setting itself up; a user
# types it again, and so does this, until the program has ended. A write after that, with nothing
# reading the keyboard, fails instead of ending this script.
trap '' PIPE
typed_ctrl_c_ended_it() {
  test -s "$scratch/status" && return
  printf '\003' >&3 2>/dev/null
  false
}
wait_until "the program to end after Ctrl+C" typed_ctrl_c_ended_it
[ "$(cat "$scratch/status")" = 130 ] || fail "Ctrl+C in the console ended it with status $(cat "$scratch/status"); the console showed: $(console_text)"
echo "ok: started in a console, it printed its start-up lines there and ended on Ctrl+C"

# On a driver without OpenGL 2.0 (Windows' own 1.1; here Mesa told to offer 1.4): double-clicked,
# the program names what is missing in a message box and ends with status 3 once it is closed;
# started in a console, it prints the same there and shows no box.
NEEDS="Fuzzlets needs OpenGL 2.0 with framebuffer objects; this driver ("
refusal_printed() {
  [[ "$(printed "$1")" == *"$NEEDS"*") offers OpenGL 1.4."* ]]
}
(cd "$scratch/elsewhere" && MESA_GL_VERSION_OVERRIDE=1.4 exec wine "$release/fuzzlets.exe") >"$scratch/out" 2>"$scratch/err" &
pid=$!
wait_until "the driver's refusal on standard error" refusal_printed "$scratch/err"
wait_until "the message box Fuzzlets" find_window
xdotool key --window "$window" Return
wait_for_exit "$pid"
[ "$exit_status" = 3 ] || fail "on OpenGL 1.4 it ended with status $exit_status; it wrote: $(printed "$scratch/err")"
echo "ok: on OpenGL 1.4 a message box named what is missing, and it ended with status 3"

rm "$scratch/status"
(cd "$scratch/elsewhere" && MESA_GL_VERSION_OVERRIDE=1.4 script -qfec "wine '$release/fuzzlets.exe'" "$scratch/console" \
  <"$scratch/keyboard" >/dev/null && echo 0 >"$scratch/status" || echo $? >"$scratch/status") &
wait_until "the program on OpenGL 1.4 to end in a console" test -s "$scratch/status"
[ "$(cat "$scratch/status")" = 3 ] || fail "in a console on OpenGL 1.4 it ended with status $(cat "$scratch/status")"
[[ "$(console_text)" == *"$NEEDS"* ]] || fail "in a console on OpenGL 1.4 it showed: $(console_text)"
echo "ok: in a console on OpenGL 1.4 it printed what is missing and ended with status 3"

shopt -s nullglob
for binary in "$release"/*.exe "$release"/*.dll; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
    [ -e "$release/$dll" ] && continue
    grep -qiw "${dll%.*}" <<<"$WINDOWS_DLLS" || fail "$(basename "$binary") imports $dll, which is neither in the zip nor Windows' own"
  done
done
echo "ok: every DLL imported is in the zip or Windows' own"
