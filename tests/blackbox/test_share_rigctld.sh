#!/usr/bin/env bash
# The radio shared through Hamlib's rigctld: the virtual radio on a
# pseudo-terminal, a real rigctld on it (127.0.0.1 only), Quillard's port 1
# pointed at rigctld by com1.conf, and a second program polling rigctld as
# WSJT-X does all along. Real clicks (bands, modes, VFOs, a memory recall, a
# memory-sheet write, a reset) put exactly their commands on the radio, in
# order, and the poller sees no error.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/shared_radio.sh"

VRADIO="$QUILLARD_BINARY_DIR/tools/virtual-radio/quillard-virtual-radio"
"$VRADIO" --no-window --link "$WORK/radio" > "$WORK/vradio.log" 2>&1 &
PIDS+=($!)
start_x
relay_to_radio

start_rigctld -C serial_handshake=Hardware
start_poller

printf 'via=rigctld\nhost=127.0.0.1\nport=%s\n' "$port" > "$QUILLARD_CONFIG/com1.conf"
start_main_window

click_every_kind

rounds=$(wc -l < "$WORK/poll.rounds")
(( rounds >= 5 )) || fail "the other program polled only $rounds times"
[[ ! -s "$WORK/poll.errors" ]] || fail "the other program saw errors: $(head -5 "$WORK/poll.errors")"
kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS ($rounds rounds of f m t v beside Quillard, no error)"
