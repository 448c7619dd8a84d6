#!/usr/bin/env bash
# A lock file whose process has gone, left by root in the shared lock folder,
# is one an ordinary user's Quillard may not remove: the message names it as
# stale, with its path, the process that left it and the command that
# removes it, rather than sending the operator to look for a program that
# uses the port. A lock of a running process is still one of another program.
# Needs root, to make the files and to run the link as the user nobody.
source "$(dirname "$0")/common.sh"

[[ $(id -u) -eq 0 ]] || { echo "SKIP: needs root"; exit 77; }
: "${QUILLARD_OPENLINK:?set by CTest}"

radio_on_com1
device=$(readlink -f "$QUILLARD_CONFIG/com1")
chmod 666 "$device"
lock="/run/lock/LCK..$(tr / _ <<< "${device#/dev/}")"
STALE_LOCK=$lock
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }

sh -c 'exit 0' &
dead=$!
wait "$dead"
printf '%10d\n' "$dead" > "$lock"
status=0
said=$(as_nobody "$QUILLARD_OPENLINK" "$device") || status=$?
[[ $status -eq 1 ]] || fail "the port opened past a lock it may not remove (status $status): $said"
want="Serial port 1 ($device) cannot be opened: $device is not in use, but a stale lock file left by process $dead, which no longer runs, blocks it: $lock. Quillard cannot remove that file; remove it (sudo rm $lock), then try again."
[[ $said == "$want" ]] || fail "for a stale root lock the link said: $said"
[[ -e $lock ]] || fail "the stale lock was removed by a user who may not"

# The same file with a running process in it belongs to that program.
tail -f /dev/null &
holder=$!
PIDS+=("$holder")
printf '%10d\n' "$holder" > "$lock"
said=$(as_nobody "$QUILLARD_OPENLINK" "$device") || true
[[ $said == *"$device is in use by another program (process $holder)"* ]] \
    || fail "for a running holder the link said: $said"
kill "$holder"
wait "$holder" 2>/dev/null || true

# Root may remove a stale lock, and the port opens.
printf '%10d\n' "$dead" > "$lock"
said=$("$QUILLARD_OPENLINK" "$device") || fail "root could not open past a stale lock: $said"
[[ ! -e $lock ]] || fail "the port's lock stayed after the link closed"
echo "PASS: a stale lock the user may not remove is called stale"
