# Shared by the Windows release tests: waits with a deadline, and the released program started,
# seen and quit as a user would. Sourced; runs under Wine in the prefix of the test run.
set -euo pipefail

# Long enough for a busy machine: a wait ends as soon as what it waits for is there.
DEADLINE=180

# The tests work on drive C: of the run's Wine prefix, with the drive Z: that Wine maps to the
# Linux root taken away while they run, as a Windows machine has no source tree to fall back on
# (the tests that run alone can do that). scratch is a new folder there for the test.
drive_c="$WINEPREFIX/drive_c"
scratch=$(mktemp -d "$drive_c/users/Public/fuzzlets-test-XXXX")
mv "$WINEPREFIX/dosdevices/z:" "$WINEPREFIX/dosdevices/z:.away"
# A test that fails leaves no program of it running: it would hold CTest's pipe until the timeout.
trap 'wineserver -k; mv "$WINEPREFIX/dosdevices/z:.away" "$WINEPREFIX/dosdevices/z:"; rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wait_until WHAT COMMAND...: runs COMMAND until it succeeds, for DEADLINE seconds at most.
wait_until() {
  local what=$1
  shift
  local end=$((SECONDS + DEADLINE))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$end" ] || fail "$what: not within $DEADLINE s"
    sleep 0.25
  done
}

# wait_for_exit PID: waits for a background process of this shell to end; sets exit_status.
exit_status=
wait_for_exit() {
  local pid=$1 end=$((SECONDS + DEADLINE))
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$end" ] || { kill "$pid"; fail "process $pid did not end within $DEADLINE s"; }
    sleep 0.25
  done
  exit_status=0
  wait "$pid" || exit_status=$?
}

window=
find_window() {
  window=$(xdotool search --onlyvisible --name '^Fuzzlets$' | head -1)
  [ -n "$window" ]
}

# Windows programs end their lines with CR LF.
printed() {
  tr -d '\r' <"$1"
}

START_UP_LINES="yeah we got frambuffer objects!
loading texture: media/textures/NMBalls.png
loading texture: media/textures/70er_green.jpg
loading texture: media/textures/70er.jpg"

# lines_printed FILE COUNT
lines_printed() {
  [ "$(printed "$1" | wc -l)" -ge "$2" ]
}

# run_and_quit EXE FOLDER: starts EXE with FOLDER as its working directory, waits for its window
# "Fuzzlets" and its start-up lines, presses Escape and expects it to end with status 0.
run_and_quit() {
  local exe=$1 folder=$2
  local output errors
  output=$(mktemp) errors=$(mktemp)
  (cd "$folder" && exec wine "$exe") >"$output" 2>"$errors" &
  local pid=$!
  wait_until "the window Fuzzlets of $exe" find_window
  wait_until "the start-up lines of $exe" lines_printed "$output" "$(wc -l <<<"$START_UP_LINES")"
  [ "$(printed "$output")" = "$START_UP_LINES" ] || fail "$exe printed at start-up: $(printed "$output")"
  xdotool key --window "$window" Escape
  wait_for_exit "$pid"
  [ "$exit_status" = 0 ] || fail "$exe ended with status $exit_status after Escape; it wrote: $(cat "$errors")"
  rm -f "$output" "$errors"
  echo "ok: $exe started from $folder, showed its window, printed its start-up lines, quit on Escape"
}
