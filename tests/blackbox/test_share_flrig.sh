#!/usr/bin/env bash
# The radio shared through flrig: the virtual radio on a pseudo-terminal,
# a real flrig serving it (in a network namespace of this test's own, since
# flrig listens on every interface with no password, and on this test's X
# server), Quillard's port 1 pointed at flrig by com1.conf. Real clicks put
# exactly their commands on the radio, in order, between flrig's own polls.
if [[ -z "${QUILLARD_OWN_NETWORK:-}" ]]; then
    export QUILLARD_OWN_NETWORK=1
    # root needs no user namespace (and gets none inside a chroot).
    if [[ $(id -u) -eq 0 ]]; then
        exec unshare -n -- bash "$0" "$@"
    fi
    exec unshare -rn -- bash "$0" "$@"
fi
ip link set lo up
source "$(dirname "$0")/common.sh"

VRADIO="$QUILLARD_BINARY_DIR/tools/virtual-radio/quillard-virtual-radio"
start_x

"$VRADIO" --no-window --link "$WORK/radio" > "$WORK/vradio.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 50); do grep -q '^READY ' "$WORK/vradio.log" && break; sleep 0.1; done
grep -q '^READY ' "$WORK/vradio.log" || fail "the virtual radio did not start"

# Between flrig and the radio, a relay that records what goes to the radio
# byte for byte (the radio's own log leaves out the carriage returns).
slave=$(sed -n 's/^READY \([^ ]*\) .*/\1/p' "$WORK/vradio.log")
socat -x "PTY,link=$WORK/rigside,raw,echo=0" "$slave,raw,echo=0" 2> "$WORK/relay.hex" &
PIDS+=($!)
for _ in $(seq 50); do [[ -e "$WORK/rigside" ]] && break; sleep 0.1; done

mkdir -p "$WORK/flrig"
printf '; FLTK preferences file format 1.0\n; vendor: w1hkj.com\n; application: flrig\n\n[.]\n\nxcvr_name:TS-570\n' \
    > "$WORK/flrig/flrig.prefs"
printf '; FLTK preferences file format 1.0\n; vendor: w1hkj.com\n; application: TS-570\n\n[.]\n\nversion:1.4.7\nxcvr_serial_port:%s\ncomm_baudrate:5\nxmlport:12345\n' \
    "$(readlink -f "$WORK/rigside")" > "$WORK/flrig/TS-570.prefs"
HOME="$WORK" flrig --config-dir "$WORK/flrig" > "$WORK/flrig.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 150); do
    (exec 3<>/dev/tcp/127.0.0.1/12345) 2>/dev/null && break
    sleep 0.2
done
(exec 3<>/dev/tcp/127.0.0.1/12345) 2>/dev/null || fail "flrig does not listen"
sleep 2

printf 'via=flrig\nhost=127.0.0.1\nport=12345\n' > "$QUILLARD_CONFIG/com1.conf"
start_main_window

# Quillard's commands as they reached the radio: each text ending in ";" and
# a carriage return, unbroken. What flrig sends for itself ends in
# ";" alone.
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

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
