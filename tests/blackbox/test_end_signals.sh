#!/usr/bin/env bash
# kill (SIGTERM), a closed terminal (SIGHUP) and Ctrl+C (SIGINT) end Quillard
# as File > Exit does: it exits normally, and the lock file of the port it
# held is gone with it.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
device=$(readlink -f "$QUILLARD_CONFIG/com1")
lock="/run/lock/LCK..$(tr / _ <<< "${device#/dev/}")"
printf '1\r\n9600\r\n' > "$QUILLARD_CONFIG/qd.cfg"

for signal in TERM HUP INT; do
    # A background job of a script starts with SIGINT ignored; a program run
    # from a terminal does not.
    env --default-signal=TERM,HUP,INT "$QUILLARD_BIN" &
    QUILLARD_PID=$!
    PIDS+=("$QUILLARD_PID")
    wait_window "$MAIN_TITLE" >/dev/null
    # The port opens once the main window is active.
    for _ in $(seq 50); do
        [[ -e $lock ]] && break
        sleep 0.1
    done
    [[ -e $lock ]] || fail "no lock file $lock while Quillard holds the port"
    kill -s "$signal" "$QUILLARD_PID"
    timeout 10 tail --pid="$QUILLARD_PID" -f /dev/null || fail "Quillard did not end on SIG$signal"
    status=0
    wait "$QUILLARD_PID" || status=$?
    [[ $status -eq 0 ]] || fail "Quillard ended with status $status on SIG$signal"
    [[ ! -e $lock ]] || fail "SIG$signal left the lock file $lock ($(tr -d ' ' < "$lock"))"
done
echo "PASS: SIGTERM, SIGHUP and SIGINT let go of the port's lock"
