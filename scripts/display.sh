# Sourced: start_display gives this shell a private Xvfb (DISPLAY exported) unless one is set;
# stop_display lets the Wine server of $BRAVIK_WINEPREFIX finish before the display goes.
start_display() {
    display_pid=""
    [ -z "${DISPLAY:-}" ] || return 0
    local fifo num
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    # Listen on the abstract socket only: displays started in networks of their own all pick the
    # same number, and a shared socket file made one server re-create its listener at a reset and
    # lose a client that was connecting (the client then waits forever). No resets at all, too.
    Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -nolisten unix -noreset 3>"$fifo" >/dev/null 2>&1 &
    display_pid=$!
    if ! read -r -t 20 num <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not start" >&2
        return 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$num"
}

stop_display() {
    if [ -n "${BRAVIK_WINEPREFIX:-}" ] && [ -d "$BRAVIK_WINEPREFIX" ]; then
        WINEPREFIX="$BRAVIK_WINEPREFIX" timeout 20 wineserver -w 2>/dev/null || true
    fi
    if [ -n "${display_pid:-}" ]; then
        kill "$display_pid" 2>/dev/null || true
    fi
}
