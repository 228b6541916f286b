#!/usr/bin/env bash
# wine.sh setup|run|cleanup STATE WINE64 [PROGRAM ARGS...]
# setup: a Wine prefix in STATE (made once) and, if Xvfb is there, a display of
# our own for the message-box tests; console programs need none.
# run: the program under Wine with them. cleanup: stops both.
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
        # Windows on a virtual desktop: without a window manager, Wine waits two
        # seconds for each closed top-level X window.
        "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$state/wineboot.log" 2>&1
        "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >>"$state/wineboot.log" 2>&1
        "$wineserver" -w
        [ -f "$WINEPREFIX/system.reg" ] || { cat "$state/wineboot.log"; exit 1; }
    fi
    rm -f "$state/display"
    if command -v Xvfb >/dev/null && [ ! -s "$state/xvfb.pid" ]; then
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" >/dev/null 2>&1 &
        echo $! >"$state/xvfb.pid"
        for _ in $(seq 50); do [ -s "$state/display" ] && break; sleep 0.1; done
    fi
    ;;
run)
    if [ -s "$state/display" ]; then export DISPLAY=:$(head -n1 "$state/display"); else unset DISPLAY; fi
    "$wine" "$@"
    status=$?
    "$wineserver" -w
    exit $status
    ;;
cleanup)
    "$wineserver" -k 2>/dev/null
    if [ -s "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null; fi
    rm -f "$state/xvfb.pid" "$state/display"
    ;;
esac
