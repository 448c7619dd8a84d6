#!/usr/bin/env bash
# Asked to end (SIGTERM: a logout) while the memory window has the port on
# loan, Quillard still ends normally and lets go of the port's lock.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
device=$(readlink -f "$QUILLARD_CONFIG/com1")
lock="/run/lock/LCK..$(tr / _ <<< "${device#/dev/}")"
start_main_window
sleep 0.5

click_panel 470 60   # empty sky: gives the panel the keyboard
xdotool key ctrl+m
wait_window "Program Radio Memory" >/dev/null
sleep 0.5
[[ -e $lock ]] || fail "no lock file $lock while the memory window holds the port"

kill -s TERM "$QUILLARD_PID"
timeout 10 tail --pid="$QUILLARD_PID" -f /dev/null || fail "Quillard did not end with the memory window open"
status=0
wait "$QUILLARD_PID" || status=$?
[[ $status -eq 0 ]] || fail "Quillard ended with status $status"
[[ ! -e $lock ]] || fail "the lock file $lock was left ($(tr -d ' ' < "$lock"))"
echo "PASS: SIGTERM with the memory window open lets go of the port's lock"
