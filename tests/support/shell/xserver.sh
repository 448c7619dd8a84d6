# A private X server (Xvfb) for the black-box tests and the benchmarks, on a
# display it picks itself (-displayfd) and reports once it is ready, so runs
# side by side (other work trees too) never share one.
#
#   source tests/support/shell/xserver.sh
#   start_xvfb <folder>    # sets DISPLAY and XVFB_PID; returns 1 when no server came up
#   stop_xvfb
XVFB_PID=

start_xvfb() {
    local display_file="$1/display"
    : > "$display_file"
    # -noreset: by default the server resets itself whenever its last client
    # goes, and a program started again in that moment cannot connect.
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        if grep -q '^[0-9]' "$display_file" 2>/dev/null; then
            export DISPLAY=":$(head -n 1 "$display_file")"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        sleep 0.1
    done
    return 1
}

stop_xvfb() {
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
