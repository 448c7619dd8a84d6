# Shared by the tests of a radio shared through a daemon (rigctld, flrig):
# a relay between the daemon and the virtual radio that records what reaches
# the radio byte for byte, and the clicks of every kind of command, each
# compared with exactly the bytes the radio received.
#
#   relay_to_radio          # after the virtual radio says READY; the daemon opens $WORK/rigside
#   click_every_kind        # once Quillard's main window is up

radio_ready() { grep -q '^READY ' "$WORK/vradio.log"; }

relay_to_radio() {
    wait_for 5 radio_ready || fail "the virtual radio did not start"

    # Between the daemon and the radio, a relay that records what goes to the radio
    # byte for byte (the radio's own log leaves out the carriage returns).
    slave=$(sed -n 's/^READY \([^ ]*\) .*/\1/p' "$WORK/vradio.log")
    socat -x "PTY,link=$WORK/rigside,raw,echo=0" "$slave,raw,echo=0" 2> "$WORK/relay.hex" &
    PIDS+=($!)
    wait_for 5 test -e "$WORK/rigside" || fail "the relay made no pseudo-terminal"
}

# rigctld for the radio behind the relay, on a free port ($port), with the
# options given (-C ...); returns once it answers.
start_rigctld() {
    port=$(free_port)
    rigctld -m 2016 -r "$(readlink -f "$WORK/rigside")" -s 9600 "$@" \
        -T 127.0.0.1 -t "$port" > "$WORK/rigctld.log" 2>&1 &
    PIDS+=($!)
    rigctld_answers() { rigctl -m 2 -r "127.0.0.1:$port" f >/dev/null 2>&1; }
    wait_for 10 rigctld_answers || fail "rigctld does not answer"
}

# The other program: frequency, mode, PTT and VFO through rigctld, over and
# over; a line in poll.rounds for each good round, what went wrong in
# poll.errors. $POLLER is its process.
start_poller() {
    : > "$WORK/poll.rounds"; : > "$WORK/poll.errors"
    (
        while :; do
            if out=$(rigctl -m 2 -r "127.0.0.1:$port" f m t v 2>&1) && [[ $out != *RPRT* ]]; then
                echo ok >> "$WORK/poll.rounds"
            else
                printf '%s\n' "$out" >> "$WORK/poll.errors"
            fi
        done
    ) &
    POLLER=$!
    PIDS+=("$POLLER")
}

# Quillard's commands as they reached the radio: each text ending in ";" and
# a carriage return, unbroken. What the daemon sends for itself and for
# other programs ends in ";" alone.
commands() {
    perl -ne 'if (/^([<>]) /) { $out = $1 eq ">"; next } print pack("H*", join("", split)) if $out && /^ /' \
        "$WORK/relay.hex" | perl -0777 -ne 'print "$1 " while /([^;\r]*;)\r/g'
}
commands_are() { [[ "$(commands)" == "$1" ]]; }
expect_commands() {
    wait_for 5 commands_are "$1" || fail "the radio received '$(commands)', expected '$1'"
}

click_every_kind() {
    sent=''
    click Form2 m20               # "20m"
    sent+='FR0; FA00014000000; '
    expect_commands "$sent"
    click Form2 Option1           # "USB"
    sent+='MD2; '
    expect_commands "$sent"
    click Form2 Option13          # "Mem 05": a command with a blank
    sent+='FR2; MC 05; '
    expect_commands "$sent"
    click Form2 Command10         # "Noice Blanker"
    sent+='NB0; '
    expect_commands "$sent"
    click Form2 Option7           # "VFO B"
    sent+='FR1; '
    expect_commands "$sent"
    click Form2 m160              # "160m" on VFO B
    sent+='FR1; FB00001800000; '
    expect_commands "$sent"
    click Form2 Command2          # "5 MHz"
    sent+='MD5; FA00005000000; '
    expect_commands "$sent"

    # The memory sheet borrows the port: its write goes through the daemon too.
    focus_window Form2
    xdotool key ctrl+m
    wait_focus "$(wait_window "Program Radio Memory")"
    click Form1 freq00
    xdotool type 2840000
    xdotool key Tab
    xdotool type usb
    click Form1 Command2          # "Write to radio"
    sent+='MW0 000002840000020001 ; '
    expect_commands "$sent"
    click Form1 Command1          # "Exit"
    wait_window_gone "Program Radio Memory"

    click Form2 Command18         # "System Reset": yes, and yes to a partial reset
    wait_focus "$(wait_window "Are you sure\?")"
    xdotool key alt+y
    wait_focus "$(wait_window "System Reset")"
    xdotool key alt+y
    sent+='SR1; '
    expect_commands "$sent"
}
