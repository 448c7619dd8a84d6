#!/usr/bin/env bash
# The radio shared through Hamlib's rigctld: the virtual radio on a
# pseudo-terminal, a real rigctld on it (127.0.0.1 only), Quillard's port 1
# pointed at rigctld by com1.conf, and a second program polling rigctld as
# WSJT-X does all along. Real clicks (bands, modes, VFOs, a memory recall, a
# memory-sheet write, a reset) put exactly their commands on the radio, in
# order, and the poller sees no error.
source "$(dirname "$0")/common.sh"

VRADIO="$QUILLARD_BINARY_DIR/tools/virtual-radio/quillard-virtual-radio"
start_x

"$VRADIO" --no-window --link "$WORK/radio" > "$WORK/vradio.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 50); do grep -q '^READY ' "$WORK/vradio.log" && break; sleep 0.1; done
grep -q '^READY ' "$WORK/vradio.log" || fail "the virtual radio did not start"

# Between rigctld and the radio, a relay that records what goes to the radio
# byte for byte (the radio's own log leaves out the carriage returns).
slave=$(sed -n 's/^READY \([^ ]*\) .*/\1/p' "$WORK/vradio.log")
socat -x "PTY,link=$WORK/rigside,raw,echo=0" "$slave,raw,echo=0" 2> "$WORK/relay.hex" &
PIDS+=($!)
for _ in $(seq 50); do [[ -e "$WORK/rigside" ]] && break; sleep 0.1; done

port=$(( 20000 + $$ % 20000 ))
rigctld -m 2016 -r "$(readlink -f "$WORK/rigside")" -s 9600 -C serial_handshake=Hardware \
    -T 127.0.0.1 -t "$port" > "$WORK/rigctld.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do rigctl -m 2 -r "127.0.0.1:$port" f >/dev/null 2>&1 && break; sleep 0.1; done
rigctl -m 2 -r "127.0.0.1:$port" f >/dev/null 2>&1 || fail "rigctld does not answer"

# The other program: frequency, mode, PTT and VFO, over and over.
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
PIDS+=($!)

printf 'via=rigctld\nhost=127.0.0.1\nport=%s\n' "$port" > "$QUILLARD_CONFIG/com1.conf"
start_main_window

# Quillard's commands as they reached the radio: each text ending in ";" and
# a carriage return, unbroken. What rigctld sends for itself and for the
# other program ends in ";" alone.
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

# The memory sheet borrows the port: its write goes through rigctld too.
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

rounds=$(wc -l < "$WORK/poll.rounds")
(( rounds >= 5 )) || fail "the other program polled only $rounds times"
[[ ! -s "$WORK/poll.errors" ]] || fail "the other program saw errors: $(head -5 "$WORK/poll.errors")"
kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS ($rounds rounds of f m t v beside Quillard, no error)"
