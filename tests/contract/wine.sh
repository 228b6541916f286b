#!/usr/bin/env bash
# wine.sh STATE WINE64 PROGRAM: runs PROGRAM under Wine in a prefix of its own
# in STATE, made on first use; no display is needed.
set -u
export WINEPREFIX=$1/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$1"
    "$2" wineboot -i >"$1/wineboot.log" 2>&1
    wineserver -w
fi
"$2" "$3"
status=$?
wineserver -k 2>/dev/null
exit $status
