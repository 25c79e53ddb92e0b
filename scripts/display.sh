# Sourced: start_display gives this shell a private Xvfb (DISPLAY exported) unless one is set;
# stop_display lets the Wine server of $BRAVIK_WINEPREFIX finish before the display goes.
start_display() {
    display_pid=""
    [ -z "${DISPLAY:-}" ] || return 0
    local fifo num
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    # Display numbers are taken under a lock of this machine, not per network: displays started in
    # networks of their own would otherwise share a number, its socket file and its compiled
    # keymap file, and one server's start or reset could break another's (a connecting client
    # waited forever, or the server did not start). Only the server keeps the lock's descriptor,
    # so the number is free again when the server ends.
    for num in $(seq 100 199); do
        exec {display_lock}>"/tmp/.bravik-display-$num.lock"
        if flock -n "$display_lock"; then
            # Abstract socket only, and no resets between clients.
            Xvfb ":$num" -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -nolisten unix -noreset \
                3>"$fifo" >/dev/null 2>&1 &
            display_pid=$!
            exec {display_lock}>&-
            if read -r -t 20 _ <"$fifo"; then
                rm -f "$fifo"
                export DISPLAY=":$num"
                return 0
            fi
            kill "$display_pid" 2>/dev/null || true
            display_pid=""
        else
            exec {display_lock}>&-
        fi
    done
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
}

stop_display() {
    if [ -n "${BRAVIK_WINEPREFIX:-}" ] && [ -d "$BRAVIK_WINEPREFIX" ]; then
        WINEPREFIX="$BRAVIK_WINEPREFIX" timeout 20 wineserver -w 2>/dev/null || true
    fi
    if [ -n "${display_pid:-}" ]; then
        kill "$display_pid" 2>/dev/null || true
        wait "$display_pid" 2>/dev/null || true
    fi
}
