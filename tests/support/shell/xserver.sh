# A private X server (Xvfb) for the black-box tests and the benchmarks, on a
# display it picks itself (-displayfd) and reports once it is ready, so runs
# side by side (other work trees too) never share one.
#
#   source tests/support/shell/xserver.sh
#   start_xvfb <folder>    # sets DISPLAY and XVFB_PID; returns 1 when no server came up
#   stop_xvfb
XVFB_PID=

start_xvfb() {
    local report="$1/display" display=
    rm -f "$report"
    mkfifo "$report" || return 1
    # -noreset: by default the server resets itself whenever its last client
    # goes, and a program started again in that moment cannot connect.
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$report" >/dev/null 2>&1 &
    XVFB_PID=$!
    # The server writes its display number once it takes clients; a server
    # that fails first closes the pipe, which ends the read at once.
    read -r -t 20 display < "$report" || true
    rm -f "$report"
    [[ $display =~ ^[0-9]+$ ]] || { stop_xvfb; return 1; }
    export DISPLAY=":$display"
}

stop_xvfb() {
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
