#!/usr/bin/env bash
# wine.sh setup|run|cleanup STATE WINE64 [PROGRAM ARGS...]
# setup: a Wine prefix in STATE (made once); the tests need no display.
# run: the program under Wine in it. cleanup: stops Wine.
set -u
action=$1 state=$2 wine=$3
shift 3
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

case $action in
setup)
    mkdir -p "$state"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$wine" wineboot -i >"$state/wineboot.log" 2>&1
        "$wineserver" -w
        [ -f "$WINEPREFIX/system.reg" ] || { cat "$state/wineboot.log"; exit 1; }
    fi
    ;;
run)
    unset DISPLAY
    "$wine" "$@"
    status=$?
    "$wineserver" -w
    exit $status
    ;;
cleanup)
    "$wineserver" -k 2>/dev/null || true
    ;;
esac
