# Shared by the tests of a radio shared through a daemon (rigctld, flrig):
# a relay between the daemon and the virtual radio that records what reaches
# the radio byte for byte, and the clicks of every kind of command, each
# compared with exactly the bytes the radio received.
#
#   relay_to_radio          # after the virtual radio says READY; the daemon opens $WORK/rigside
#   click_every_kind        # once Quillard's main window is up

relay_to_radio() {
    for _ in $(seq 50); do grep -q '^READY ' "$WORK/vradio.log" && break; sleep 0.1; done
    grep -q '^READY ' "$WORK/vradio.log" || fail "the virtual radio did not start"

    # Between the daemon and the radio, a relay that records what goes to the radio
    # byte for byte (the radio's own log leaves out the carriage returns).
    slave=$(sed -n 's/^READY \([^ ]*\) .*/\1/p' "$WORK/vradio.log")
    socat -x "PTY,link=$WORK/rigside,raw,echo=0" "$slave,raw,echo=0" 2> "$WORK/relay.hex" &
    PIDS+=($!)
    for _ in $(seq 50); do [[ -e "$WORK/rigside" ]] && break; sleep 0.1; done
}

# Quillard's commands as they reached the radio: each text ending in ";" and
# a carriage return, unbroken. What the daemon sends for itself and for
# other programs ends in ";" alone.
commands() {
    perl -ne 'if (/^([<>]) /) { $out = $1 eq ">"; next } print pack("H*", join("", split)) if $out && /^ /' \
        "$WORK/relay.hex" | perl -0777 -ne 'print "$1 " while /([^;\r]*;)\r/g'
}
expect_commands() {
    local want=$1 got
    for _ in $(seq 50); do
        got=$(commands)
        [[ "$got" == "$want" ]] && return 0
        sleep 0.1
    done
    fail "the radio received '$got', expected '$want'"
}

click_every_kind() {
    sent=''
    click_panel 552 94            # "20m"
    sent+='FR0; FA00014000000; '
    expect_commands "$sent"
    click_panel 553 215           # "USB"
    sent+='MD2; '
    expect_commands "$sent"
    click_panel 129 226           # "Mem 05": a command with a blank
    sent+='FR2; MC 05; '
    expect_commands "$sent"
    click_panel 46 308            # "Noice Blanker"
    sent+='NB0; '
    expect_commands "$sent"
    click_panel 553 336           # "VFO B"
    sent+='FR1; '
    expect_commands "$sent"
    click_panel 552 26            # "160m" on VFO B
    sent+='FR1; FB00001800000; '
    expect_commands "$sent"
    click_panel 340 410           # "5 MHz"
    sent+='MD5; FA00005000000; '
    expect_commands "$sent"

    # The memory sheet borrows the port: its write goes through the daemon too.
    click_panel 470 60            # empty sky: gives the panel the keyboard
    xdotool key ctrl+m
    sheet=$(wait_window "Program Radio Memory")
    sleep 0.5
    click_at "$sheet" 80 36       # freq00
    xdotool type --delay 50 2840000
    xdotool key Tab
    xdotool type --delay 50 usb
    click_at "$sheet" 402 537     # "Write to radio"
    sent+='MW0 000002840000020001 ; '
    expect_commands "$sent"
    click_at "$sheet" 566 537     # "Exit"
    wait_window_gone "Program Radio Memory"
    sleep 0.5

    click_panel 46 407            # "System Reset": yes, and yes to a partial reset
    wait_window "Are you sure\?" >/dev/null
    sleep 0.5
    xdotool key alt+y
    wait_window "System Reset" >/dev/null
    sleep 0.5
    xdotool key alt+y
    sent+='SR1; '
    expect_commands "$sent"
}
