#!/usr/bin/env bash
# The one Wine prefix a test run shares: `create` makes it afresh and keeps its server running
# for the run, so that each program starts without setting Wine up again; `remove` ends the
# server and deletes the prefix. WINEPREFIX names it.
set -euo pipefail
: "${WINEPREFIX:?}"
case "$1" in
  create)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot --init
    wineserver -p
    ;;
  remove)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    ;;
esac
