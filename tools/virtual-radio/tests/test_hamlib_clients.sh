#!/bin/bash
# Drives the built virtual radio with Hamlib's own programs, as WSJT-X,
# fldigi and loggers drive a TS-570: rigctl with the TS-570S and TS-570D
# backends, rigctld with a network client, rigmem load and save.
#
#   test_hamlib_clients.sh <quillard-virtual-radio> rigctl-s|rigctl-d|rigctld|rigmem
#
# Every case also checks that the radio refused none of Hamlib's commands:
# each "?;" costs Hamlib seconds of retries and ends in "Command rejected".
set -uo pipefail

RADIO_BIN=$1
CASE=$2
WORK=$(mktemp -d)
LINK="$WORK/com1"
LOG="$WORK/radio.log"
PIDS=()

cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    [[ -n "${KEEP:-}" ]] && echo "kept $WORK" >&2 || rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "--- radio log (last 40 lines)" >&2
    tail -n 40 "$LOG" >&2
    exit 1
}

start_radio() {
    "$RADIO_BIN" --no-window --link "$LINK" "$@" > "$LOG" 2>&1 &
    PIDS+=($!)
    local i
    for i in $(seq 100); do
        grep -q '^READY ' "$LOG" && return 0
        sleep 0.05
    done
    fail "the virtual radio did not start"
}

# Runs a client, keeps its output in $OUT, prints how long it took.
run() {
    local started=${EPOCHREALTIME/./}
    OUT=$(timeout 60 "$@" 2> "$WORK/client.err")
    STATUS=$?
    local us=$((${EPOCHREALTIME/./} - started))
    printf '%d.%02d s: %s\n' $((us / 1000000)) $((us % 1000000 / 10000)) "$*"
    [[ $STATUS -eq 0 ]] || { cat "$WORK/client.err" >&2; fail "$1 exited with $STATUS"; }
}

expect_output() {
    [[ "$OUT" == "$1" ]] || fail "expected output:
$1
got:
$OUT"
}

expect_received() {
    local command
    for command in "$@"; do
        grep -qF " $command" <(grep '^RX ' "$LOG") || fail "the radio never took $command"
    done
}

expect_no_refusal() {
    local refused
    refused=$(grep '^RX [^ ]* [^ ]* ? ' "$LOG")
    [[ -z "$refused" ]] || fail "the radio answered ?; to:
$refused"
}

free_port() {
    local port
    for port in $(shuf -i 20000-60000 -n 50); do
        (exec 3<> "/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
    done
    fail "no free port on 127.0.0.1"
}

# Hamlib rests 30 ms after each command it sends a TS-570 (some 3.5 s for a
# hundred channels). The first session of each case keeps that pace, as
# clients drive the radio; the others run without the rests: the radio then
# takes Hamlib's commands back to back, and what it receives is the same.
fast=(-C post_write_delay=0)

case "$CASE" in
rigctl-s)
    start_radio
    # The session of the issue that brought IF and AI in: it ends in
    # "Command rejected" when any of them is refused.
    run rigctl -m 2016 -r "$LINK" F 7074000 f M LSB 0 m V VFOB v T 1 t T 0 '\get_powerstat'
    expect_output $'7074000\nLSB\n2400\nVFOB\n1'
    expect_received 'ID;' 'IF;' 'AI;' 'FT;' 'FA00007074000;' 'MD1;' 'SL00;' 'FR1;' 'TX;' 'RX;' \
        'PS;'
    # Set, then read back from the radio in a second session, so nothing
    # comes from Hamlib's cache.
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" V VFOA F 21074000 M USB 0 U NB 1 L RFPOWER 0.5 \
        S 1 VFOB I 21076000 T 1
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" v f m u NB l RFPOWER t s i
    expect_output $'VFOA\n21074000\nUSB\n2400\n1\n0.500000\n1\n1\nVFOB\n21076000'
    expect_received 'FB00021076000;' 'FT1;' 'NB1;' 'PC050;'
    # Off and on again: Hamlib checks PS0 with an ID read, and wakes the radio
    # with ";;;;PS1;".
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" T 0 U NB 0 S 0 VFOA set_powerstat 0 \
        set_powerstat 1 f u NB
    expect_output $'21074000\n0'
    expect_received 'NB0;' 'PS0;' 'PS1;'
    # The levels and switches Hamlib reads from a TS-570, at their defaults.
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" l AF l RF l MICGAIN l KEYSPD l SLOPE_LOW \
        l SLOPE_HIGH l STRENGTH l PREAMP l AGC u NR u TUNER u LOCK u VOX u COMP u TONE u TSQL u BC \
        j z c e
    expect_output "$(printf '%s\n' 0.392157 1.000000 0.500000 20 0 11 -26 0 1 0 0 0 0 0 0 0 0 \
        0 0 670 0)"
    expect_received 'AG;' 'RG;' 'MG;' 'KS;' 'SL;' 'SH;' 'SM;' 'PA;' 'GT;' 'NR;' 'AC;' 'LK;' \
        'VX;' 'PR;' 'TO;' 'CT;' 'BC;' 'MC;'
    expect_no_refusal
    ;;
rigctl-d)
    start_radio --model D
    run rigctl -m 2004 -r "$LINK" F 3573000 f M CWR 0 m V VFOB v F 28074000 f T 1 t T 0 t \
        U NB 1 u NB L RFPOWER 0.25 l RFPOWER
    expect_output $'3573000\nCWR\n500\nVFOB\n28074000\n1\n0\n1\n0.250000'
    expect_received 'ID;' 'MD7;' 'FB00028074000;' 'PC025;'
    grep -q '^ANS .* ID017;$' "$LOG" || fail "the TS-570D did not answer ID017;"
    expect_no_refusal
    ;;
rigctld)
    start_radio
    port=$(free_port)
    rigctld -m 2016 -r "$LINK" -T 127.0.0.1 -t "$port" > "$WORK/rigctld.log" 2>&1 &
    PIDS+=($!)
    for i in $(seq 200); do
        (exec 3<> "/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
        sleep 0.05
    done
    run rigctl -m 2 -r "127.0.0.1:$port" F 14074000 f M USB 0 m V VFOB v F 14076000 f \
        V VFOA f T 1 t T 0 t U NB 1 u NB
    expect_output $'14074000\nUSB\n2400\nVFOB\n14076000\n14074000\n1\n0\n1'
    expect_received 'AI;' 'FA00014074000;' 'FB00014076000;' 'NB1;'
    expect_no_refusal
    ;;
rigmem)
    # No CTCSS tones here: Hamlib 4.5.4 writes the TS-570's tone number
    # counting from 1 and reads it counting from 0.
    cat > "$WORK/channels.csv" <<'EOF'
num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,
0,14074000,USB,0,,off,0,
7,27485000,USB,0,,off,0,
42,7030000,CWR,0,,off,0,
63,14080000,RTTY,0,,off,0,
89,3650000,LSB,0,,off,0,
99,50125000,FM,51125000,FM,on,0,
EOF
    start_radio
    run rigmem -m 2016 -r "$LINK" save "$WORK/empty.csv"
    [[ $(cat "$WORK/empty.csv") == 'num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,' ]] \
        || fail "an empty radio saved channels: $(cat "$WORK/empty.csv")"
    run rigmem "${fast[@]}" -m 2016 -r "$LINK" load "$WORK/channels.csv"
    expect_received 'MW0 070002748500020000 ;' 'MW0 420000703000070000 ;' \
        'MW1 990005112500040000 ;'
    run rigmem "${fast[@]}" -m 2016 -r "$LINK" save "$WORK/saved.csv"
    diff -u "$WORK/channels.csv" "$WORK/saved.csv" || fail "rigmem save gave other channels"
    expect_received 'MR0 07;' 'MR1 99;'
    expect_no_refusal
    ;;
*)
    echo "unknown case $CASE" >&2
    exit 2
    ;;
esac
echo "PASS: $CASE"
