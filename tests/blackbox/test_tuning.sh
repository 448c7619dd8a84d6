#!/usr/bin/env bash
# Tuning anywhere, as an operator does it, against the virtual radio (a
# TS-570S) shared through a real rigctld, with Hamlib's rigctl reading back
# what Quillard set: Ctrl+T and a typed frequency, on VFO A and on VFO B; a
# refused entry that sends nothing; Station Controls' split, transmit
# frequency, RIT and its steps, XIT, and its 6 m band (the port's com1.conf
# says model=S). Every step puts exactly its commands on the radio, in order.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/shared_radio.sh"

VRADIO="$QUILLARD_BINARY_DIR/tools/virtual-radio/quillard-virtual-radio"
"$VRADIO" --no-window --model S --link "$WORK/radio" > "$WORK/vradio.log" 2>&1 &
PIDS+=($!)
start_x
relay_to_radio

start_rigctld -C serial_handshake=Hardware

printf 'via=rigctld\nhost=127.0.0.1\nport=%s\nmodel=S\n' "$port" > "$QUILLARD_CONFIG/com1.conf"
start_main_window

# What Hamlib reads from the radio through rigctld, its answers on one line,
# matched against a pattern (split off names no transmit VFO of its own).
hamlib_reads() { rigctl -m 2 -r "127.0.0.1:$port" "$@" | paste -sd' '; }
# Hamlib's Kenwood backend may answer RIT and XIT from an IF reply it read a
# moment before (its cache; the radio's log then shows no IF for the read), so
# a read soon after another may give the state before the last command: it is
# asked again, for up to 3 s, until it gives what was set.
hamlib_read_is() {
    HAMLIB_READ=$(hamlib_reads "${@:2}")
    # shellcheck disable=SC2053 # $1 is a pattern
    [[ $HAMLIB_READ == $1 ]]
}
expect_hamlib() {
    wait_for 3 hamlib_read_is "$@" || fail "Hamlib read '$HAMLIB_READ' for ${*:2}, expected '$1'"
}

# Types into the Tune to Frequency box, which opens with the keyboard in
# its field, and presses Enter.
tune_typed() {
    focus_window Form2
    xdotool key ctrl+t
    wait_focus "$(wait_window "Tune to Frequency")"
    xdotool type -- "$1"
    xdotool key Return
}

sent=''
tune_typed 14.074
wait_window_gone "Tune to Frequency"
sent+='FR0; FA00014074000; '
expect_commands "$sent"
expect_hamlib '14074000' f

# Refused: the box stays with its message, and nothing is sent.
tune_typed 61.5
sleep 0.5 # nothing is sent within 0.5 s of the refused Enter
expect_commands "$sent"
wait_window "Tune to Frequency" > /dev/null
xdotool key Escape
wait_window_gone "Tune to Frequency"

click Form2 Option7           # "VFO B": the typed frequency follows it
sent+='FR1; '
expect_commands "$sent"
tune_typed 7030
wait_window_gone "Tune to Frequency"
sent+='FR1; FB00007030000; '
expect_commands "$sent"

focus_window Form2
xdotool key ctrl+s
wait_window "Station Controls" > /dev/null
sleep 0.3 # opening Station Controls sends nothing within 0.3 s
expect_commands "$sent"

click StationControls chkSplit
sent+='FR0; FT1; '
expect_commands "$sent"
expect_hamlib '1 VFOB' s
click StationControls cmdUp5  # VFO A as sent (14.074 MHz) plus 5 kHz
sent+='FB00014079000; '
expect_commands "$sent"
click StationControls txtTransmit
xdotool type 14079.5
xdotool key Return
sent+='FB00014079500; '
expect_commands "$sent"
click StationControls chkSplit
sent+='FT0; '
expect_commands "$sent"
expect_hamlib '0 *' s

click StationControls chkRit
sent+='RT1; '
expect_commands "$sent"
click StationControls cmdOffsetClear
sent+='RC; '
expect_commands "$sent"
for _ in 1 2 3; do
    click StationControls cmdOffsetUp
    sent+='RU; '
    expect_commands "$sent"
done
expect_hamlib '30' j
click StationControls chkXit
sent+='XT1; '
expect_commands "$sent"
expect_hamlib '30' z
click StationControls cmdOffsetClear
sent+='RC; '
expect_commands "$sent"
expect_hamlib '0' j

# 6 m, on the VFO the panel addresses (B).
click StationControls m6
sent+='FR1; FB00050000000; '
expect_commands "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
