#!/usr/bin/env bash
# kill (SIGTERM), a closed terminal (SIGHUP) and Ctrl+C (SIGINT) end Quillard
# as File > Exit does: it exits normally, and the lock file of the port it
# held is gone with it. All at once, each Quillard with its own settings
# folder and pseudo-terminal: one per signal with its main window up; one
# whose memory window has the port on loan (in an X server of its own, as it
# is driven with the keyboard and the mouse); one asked to end while its
# first-run message is up, before its event loop has even started.
source "$(dirname "$0")/common.sh"

# lock_of <comN link>: the lock file of the device behind it.
lock_of() {
    local device
    device=$(readlink -f "$1") || fail "no pseudo-terminal behind $1"
    echo "/run/lock/LCK..$(tr / _ <<< "${device#/dev/}")"
}

# expect_clean_end <what> <pid> [<lock file>]
expect_clean_end() {
    local what=$1 pid=$2 lock=${3:-} status=0
    timeout 10 tail --pid="$pid" -f /dev/null || fail "Quillard did not end: $what"
    wait "$pid" || status=$?
    [[ $status -eq 0 ]] || fail "Quillard ended with status $status: $what"
    if [[ -n $lock && -e $lock ]]; then
        fail "the lock file $lock was left ($(tr -d ' ' < "$lock")): $what"
    fi
}

start_x
signals_display=$DISPLAY
signals_xvfb=$XVFB_PID
mkdir -p "$WORK/x2"
start_xvfb "$WORK/x2" || fail "no second X server could be started"
PIDS+=($XVFB_PID)
window_display=$DISPLAY
XVFB_PID=$signals_xvfb

# In the first X server: the first run, and one Quillard per signal. A
# background job of a script starts with SIGINT ignored; a program run from
# a terminal does not.
export DISPLAY=$signals_display
XDG_CONFIG_HOME="$WORK/first-run" env --default-signal=TERM "$QUILLARD_BIN" &
first_run=$!
PIDS+=($first_run)
signals=(TERM HUP INT)
declare -A pid lock
for signal in "${signals[@]}"; do
    config="$WORK/$signal/quillard"
    mkdir -p "$config"
    printf '1\r\n9600\r\n' > "$config/qd.cfg"
    socat -u "PTY,link=$config/com1,raw,echo=0" OPEN:/dev/null &
    PIDS+=($!)
    wait_for 5 test -e "$config/com1" || fail "socat made no pseudo-terminal for $signal"
    lock[$signal]=$(lock_of "$config/com1")
    # Its start-up waits warped, as start_main_window does.
    XDG_CONFIG_HOME="$WORK/$signal" LD_PRELOAD=$QUILLARD_FAKE_UTC_LIB QUILLARD_CLOCK_WARP=$START_CLOCK_WARP \
        env --default-signal=TERM,HUP,INT "$QUILLARD_BIN" &
    pid[$signal]=$!
    PIDS+=(${pid[$signal]})
done

# In the second: the memory window open.
export DISPLAY=$window_display
radio_on_com1
window_lock=$(lock_of "$QUILLARD_CONFIG/com1")
start_main_window
focus_window Form2
xdotool key ctrl+m
wait_window "Program Radio Memory" >/dev/null
wait_for 5 test -e "$window_lock" \
    || fail "no lock file $window_lock while the memory window holds the port"
kill -s TERM "$QUILLARD_PID"

export DISPLAY=$signals_display
wait_window "Quillard" >/dev/null
kill -s TERM "$first_run"
for signal in "${signals[@]}"; do
    # Each holds its port once its main window is active.
    wait_for 10 test -e "${lock[$signal]}" \
        || fail "no lock file ${lock[$signal]} while Quillard holds the port"
    kill -s "$signal" "${pid[$signal]}"
done

expect_clean_end "SIGTERM with the memory window open" "$QUILLARD_PID" "$window_lock"
expect_clean_end "SIGTERM during the first-run message" "$first_run"
[[ ! -e $WORK/first-run/quillard/qd.cfg ]] || fail "a settings file was written on the way out"
for signal in "${signals[@]}"; do
    expect_clean_end "SIG$signal" "${pid[$signal]}" "${lock[$signal]}"
done
echo "PASS: SIGTERM, SIGHUP and SIGINT end Quillard and let go of the port's lock"
