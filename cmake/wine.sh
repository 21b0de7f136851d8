#!/usr/bin/env bash
# Runs Windows programs under 64-bit Wine in a private prefix kept in a state folder.
#
#   wine.sh exec STATE [--display] -- PROGRAM ARGS...   run a program (sets everything up first)
#   wine.sh start STATE [--display]                     set up only
#   wine.sh stop STATE                                  end the Wine server and the X server
#
# STATE/layout, if present, maps drive letters to folders, one "letter type folder" a line
# (type cdrom or fixed). It is applied when the prefix is made.
# Programs get a private Xvfb as their display, unless --display is given and DISPLAY is set;
# a server started for one display must be stopped before it is used with the other.
set -euo pipefail

cmd=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2

export WINEPREFIX=$state/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64

# Background processes must not keep the lock (fd 9) open.
quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }

# Whether a server for this prefix is up. Its socket lies in /tmp/.wine-UID or, on Debian,
# in a /tmp/wine-XXXXXX folder, under a name made of the prefix's device and inode.
server_running() {
    local name socket
    [ -d "$WINEPREFIX" ] || return 1
    name=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    for socket in /tmp/.wine-"$(id -u)"/"$name"/socket /tmp/wine-*/"$name"/socket; do
        [ -S "$socket" ] && return 0
    done
    return 1
}

start_xvfb() {
    if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
        return
    fi
    rm -f "$state/display"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" \
        </dev/null >/dev/null 2>&1 9>&- &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$state/display" ] && return
        sleep 0.1
    done
    echo "wine.sh: Xvfb did not start" >&2
    exit 1
}

# Wine's background processes keep the output of the process that started them, so the
# server and the first program are started here with their output sent nowhere.
start_server() {
    server_running && return
    quiet wineserver -p || true
    quiet "$WINE" cmd /c exit
}

make_prefix() {
    [ -f "$WINEPREFIX/.ready" ] && return
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    quiet wineserver -p
    quiet "$WINE" wineboot -i
    # No window manager: do not wait for one at each window map.
    quiet "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    if [ -f "$state/layout" ]; then
        while read -r letter type folder; do
            [ -n "$letter" ] || continue
            mkdir -p "$folder"
            ln -sfn "$folder" "$WINEPREFIX/dosdevices/$letter:"
            if [ "$type" = cdrom ]; then
                quiet "$WINE" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d cdrom /f
            fi
        done <"$state/layout"
    fi
    # Drive types are read when the server starts.
    quiet wineserver -k || true
    sleep 0.5
    touch "$WINEPREFIX/.ready"
}

case $cmd in
start | exec)
    use_display=no
    if [ "${1:-}" = --display ]; then
        use_display=yes
        shift
    fi
    [ "${1:-}" = -- ] && shift
    (
        flock 9
        # Every Wine process of a server must use the same display.
        if [ "$use_display" = no ] || [ -z "${DISPLAY:-}" ]; then
            start_xvfb
            export DISPLAY=":$(cat "$state/display")"
        fi
        make_prefix
        start_server
    ) 9>"$state/lock"
    if [ "$use_display" = no ] || [ -z "${DISPLAY:-}" ]; then
        export DISPLAY=":$(cat "$state/display")"
    fi
    if [ "$cmd" = exec ]; then
        exec "$WINE" "$@"
    fi
    ;;
stop)
    if [ -d "$WINEPREFIX" ]; then
        quiet wineserver -k || true
    fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
    ;;
*)
    echo "usage: wine.sh exec|start|stop STATE ..." >&2
    exit 2
    ;;
esac
