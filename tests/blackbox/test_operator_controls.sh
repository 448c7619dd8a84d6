#!/usr/bin/env bash
# The operator's controls of Station Controls, by keyboard alone, against the
# virtual radio: the start sequence at the port's first opening, a power
# preset, sliders moved by arrow keys, a button of the operator's own and the
# exit sequence at the program's end request, each exactly the bytes the
# radio received, all accepted by the radio; opening the window and moving
# the keyboard through it send nothing. Then the same through Hamlib's
# rigctld with a second program polling it, which sees no error, and
# Hamlib reads back every level Quillard set.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/shared_radio.sh"

VRADIO="$QUILLARD_BINARY_DIR/tools/virtual-radio/quillard-virtual-radio"
"$VRADIO" --no-window --link "$WORK/radio" > "$WORK/vradio.log" 2>&1 &
PIDS+=($!)
start_x
relay_to_radio

# A button of the operator's own and both sequences, as the editor saves them.
cat > "$QUILLARD_CONFIG/quillard.conf" <<'INI'
[OperatorButtons]
start="PC010;"
exit="PC100;"
button\1\label=QRP CW
button\1\commands="PC005;MD3;"
button\size=1
INI

# Keys as an operator types them, one after the other.
keys() { xdotool key --delay 60 "$@"; }

# One run of Quillard on port 1, through whatever com1 leads to: every
# control by its shortcut, each command waited for at the radio.
# $sent: everything the radio received so far, added to as each run goes on.
sent=''
operate() {
    local before=$sent pass
    start_main_window
    # The start sequence leaves when the main link first opens: at the
    # window's activation, or before the first command that finds it closed.
    wait_for 5 commands_are "${before}PC010; " || true
    focus_window Form2
    keys ctrl+s
    wait_focus "$(wait_window "Station Controls")"
    pass=$(commands)
    keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab shift+Tab shift+Tab
    sleep 1 # nothing is sent within 1 s of opening the window and moving through it
    [[ "$(commands)" == "$pass" ]] || fail "opening or Tab sent: '$(commands)' after '$pass'"
    [[ "$pass" == "$before" || "$pass" == "${before}PC010; " ]] || fail "sent at start: '$pass'"

    sent+='PC010; '
    keys ctrl+j 4                   # the 50 W preset
    sent+='PC050; '
    expect_commands "$sent"
    keys ctrl+j p Right             # the power slider, one step up from 50 W
    sent+='PC051; '
    expect_commands "$sent"
    keys ctrl+j a Right Right       # AF gain from blank: two steps, each sent
    sent+='AG128; AG129; '
    expect_commands "$sent"
    keys ctrl+j r Left              # RF gain
    sent+='RG126; '
    expect_commands "$sent"
    keys ctrl+j s End               # squelch to its top
    sent+='SQ255; '
    expect_commands "$sent"
    keys ctrl+j m Right             # microphone gain
    sent+='MG051; '
    expect_commands "$sent"
    keys ctrl+j i Right             # IF shift, 100 Hz up
    sent+='IS+0100; '
    expect_commands "$sent"
    keys ctrl+shift+u 0 1                 # the operator's own button: QRP CW
    sent+='PC005; MD3; '
    expect_commands "$sent"
    keys ctrl+j w Down              # CW's first filter, now that CW was sent
    sent+='FW0050; '
    expect_commands "$sent"
}

# The program's end request: the exit sequence goes before the port.
end_quillard() {
    kill -TERM "$QUILLARD_PID"
    wait "$QUILLARD_PID" || fail "Quillard did not end cleanly on SIGTERM"
    sent+='PC100; '
    expect_commands "$sent"
}

# Every command of Quillard's the radio received it accepted: none has the
# "?" marker (rigctld's own probing at its start may have some).
radio_accepted_all() {
    local refused
    while read -r refused; do
        [[ " $sent" != *" $refused "* ]] || fail "the radio refused Quillard's $refused"
    done < <(sed -n 's/^RX [^ ]* [^ ]* ? //p' "$WORK/vradio.log")
}

# Directly on the serial line.
ln -sf "$(readlink -f "$WORK/rigside")" "$QUILLARD_CONFIG/com1"
operate
end_quillard
radio_accepted_all
serial_sent=$sent

# Hamlib reads every level back from the radio directly, as Quillard left it
# (the exit sequence's 100 W last).
direct=$(rigctl -m 2016 -r "$(readlink -f "$WORK/rigside")" -s 9600 \
    l RFPOWER l AF l RF l MICGAIN 2>&1)
echo "Hamlib read-back, directly: $(tr '\n' ' ' <<< "$direct")"
[[ "$direct" == $'1.000000\n0.505882\n0.494118\n0.510000' ]] \
    || fail "Hamlib read back '$direct' directly"

# Through rigctld, with another program polling it all along.
start_rigctld -C cache_timeout=0
start_poller
printf 'via=rigctld\nhost=127.0.0.1\nport=%s\n' "$port" > "$QUILLARD_CONFIG/com1.conf"
rm -f "$QUILLARD_CONFIG/com1"
operate

# Hamlib reads every level back as Quillard set it (squelch, which Hamlib
# 4.5.4 cannot read on a TS-570, is in the radio's log instead).
readback=$(rigctl -m 2 -r "127.0.0.1:$port" l RFPOWER l AF l RF l MICGAIN 2>&1)
echo "Hamlib read-back, through rigctld: $(tr '\n' ' ' <<< "$readback")"
[[ "$readback" == $'0.050000\n0.505882\n0.494118\n0.510000' ]] \
    || fail "Hamlib read back '$readback'"
grep -q '^RX [^ ]* [^ ]* SQ255;$' "$WORK/vradio.log" || fail "the radio did not take SQ255;"

end_quillard
radio_accepted_all
kill "$POLLER"
rounds=$(wc -l < "$WORK/poll.rounds")
(( rounds >= 5 )) || fail "the other program polled only $rounds times"
[[ ! -s "$WORK/poll.errors" ]] || fail "the other program saw errors: $(head -5 "$WORK/poll.errors")"
! grep -q '^OVERFLOW ' "$WORK/vradio.log" || fail "the keyer's buffer overflowed"
echo "PASS (serial: $serial_sent; through rigctld the same, $rounds rounds of f m t v, no error)"
