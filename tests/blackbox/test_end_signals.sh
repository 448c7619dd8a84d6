#!/usr/bin/env bash
# kill (SIGTERM), a closed terminal (SIGHUP) and Ctrl+C (SIGINT) end Quillard
# as File > Exit does: it exits normally, and the lock file of the port it
# held is gone with it. One Quillard per signal, side by side, each with its
# own settings folder and pseudo-terminal; and one asked to end while its
# first-run message is up, before its event loop has even started.
source "$(dirname "$0")/common.sh"

start_x
XDG_CONFIG_HOME="$WORK/first-run" env --default-signal=TERM "$QUILLARD_BIN" &
first_run=$!
PIDS+=($first_run)
wait_window "Quillard" >/dev/null
kill -s TERM "$first_run"
timeout 10 tail --pid="$first_run" -f /dev/null || fail "Quillard did not end during its first-run message"
status=0
wait "$first_run" || status=$?
[[ $status -eq 0 ]] || fail "Quillard ended with status $status during its first-run message"
[[ ! -e $WORK/first-run/quillard/qd.cfg ]] || fail "a settings file was written on the way out"

signals=(TERM HUP INT)
declare -A pid lock
for signal in "${signals[@]}"; do
    config="$WORK/$signal/quillard"
    mkdir -p "$config"
    printf '1\r\n9600\r\n' > "$config/qd.cfg"
    socat -u "PTY,link=$config/com1,raw,echo=0" OPEN:/dev/null &
    PIDS+=($!)
    for _ in $(seq 50); do
        [[ -e $config/com1 ]] && break
        sleep 0.1
    done
    device=$(readlink -f "$config/com1") || fail "socat made no pseudo-terminal"
    lock[$signal]="/run/lock/LCK..$(tr / _ <<< "${device#/dev/}")"
    # A background job of a script starts with SIGINT ignored; a program run
    # from a terminal does not.
    XDG_CONFIG_HOME="$WORK/$signal" env --default-signal=TERM,HUP,INT "$QUILLARD_BIN" &
    pid[$signal]=$!
    PIDS+=(${pid[$signal]})
done

for signal in "${signals[@]}"; do
    # Each holds its port once its main window is active.
    for _ in $(seq 100); do
        [[ -e ${lock[$signal]} ]] && break
        sleep 0.1
    done
    [[ -e ${lock[$signal]} ]] || fail "no lock file ${lock[$signal]} while Quillard holds the port"
done

for signal in "${signals[@]}"; do
    kill -s "$signal" "${pid[$signal]}"
    timeout 10 tail --pid="${pid[$signal]}" -f /dev/null || fail "Quillard did not end on SIG$signal"
    status=0
    wait "${pid[$signal]}" || status=$?
    [[ $status -eq 0 ]] || fail "Quillard ended with status $status on SIG$signal"
    [[ ! -e ${lock[$signal]} ]] \
        || fail "SIG$signal left the lock file ${lock[$signal]} ($(tr -d ' ' < "${lock[$signal]}"))"
done
echo "PASS: SIGTERM, SIGHUP and SIGINT let go of the port's lock"
