#!/usr/bin/env bash
# The one Wine prefix a test run shares: `create` makes it afresh (its server and desktop then
# keep running for the run, so that each program starts without setting Wine up again);
# `remove` ends them and deletes the prefix. WINEPREFIX names it.
set -euo pipefail
: "${WINEPREFIX:?}"
case "$1" in
  create)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    # A 64-bit Wine without its 32-bit half ends the set-up with a complaint about syswow64,
    # which these programs never use: what counts is that the prefix then runs a program.
    wineboot --init || true
    wine cmd /c exit 0
    ;;
  remove)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    ;;
esac
