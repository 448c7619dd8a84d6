#!/bin/bash
# Drives the built virtual radio with Hamlib's own programs, as WSJT-X,
# fldigi and loggers drive a TS-570: rigctl with the TS-570S and TS-570D
# backends, rigctld with a network client, rigmem load and save, Hamlib's CW
# sender; and reads back with them what Quillard's commands set, sent the way
# Quillard sends them (on the serial line, or through rigctld).
#
#   test_hamlib_clients.sh <quillard-virtual-radio> \
#       rigctl-s|rigctl-d|rigctld|rigmem|quillard-s|quillard-d|quillard-rigctld|morse
#
# Every case also checks that the radio refused none of Hamlib's commands:
# each "?;" costs Hamlib seconds of retries and ends in "Command rejected".
set -uo pipefail
# QUILLARD_TRACE=<folder>: a timestamped trace of the case (see trace.sh).
source "$(dirname "$0")/../../../tests/support/shell/trace.sh" "$2"

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

ALLOWED_REFUSALS=()

expect_no_refusal() {
    local refused command
    refused=$(grep '^RX [^ ]* [^ ]* ? ' "$LOG")
    for command in "${ALLOWED_REFUSALS[@]}"; do
        refused=$(grep -vF " ? $command" <<< "$refused")
    done
    [[ -z "$refused" ]] || fail "the radio answered ?; to:
$refused"
}

expect_refused() {
    grep -qF " ? $1" <(grep '^RX ' "$LOG") || fail "the radio took $1, which it must refuse"
    ALLOWED_REFUSALS+=("$1")
}

expect_no_overflow() {
    ! grep -q '^OVERFLOW ' "$LOG" || fail "the keyer's buffer overflowed:
$(grep '^OVERFLOW ' "$LOG")"
}

# Waits for the keyer to log the run it keyed: "CW <utc> <ms> <text>".
expect_keyed() {
    local i
    for i in $(seq 600); do
        grep -qxF -- "$1" <(grep '^CW ' "$LOG" | cut -d' ' -f4-) && return 0
        sleep 0.05
    done
    fail "the radio never keyed \"$1\""
}

rx_count() {
    grep -c '^RX ' "$LOG"
}

# Waits until the radio has logged $1 commands in all.
wait_for_rx() {
    local i
    for i in $(seq 200); do
        (($(rx_count) >= $1)) && return 0
        sleep 0.05
    done
    fail "the radio took $(rx_count) commands, not $1"
}

# Writes commands to the radio's serial line as Quillard does: each command
# and one carriage return, nothing read back.
quillard_send() {
    local before command
    before=$(rx_count)
    exec 4<> "$LINK"
    for command in "$@"; do
        printf '%s\r' "$command" >&4
    done
    exec 4>&-
    wait_for_rx $((before + $#))
}

# The same through rigctld, as Quillard's rigctld link sends them: one
# "+\send_cmd_rx" line with the framed bytes in hexadecimal and no reply
# awaited, acknowledged with "RPRT 0".
quillard_send_rigctld() {
    local port=$1 command framed line i byte
    shift
    exec 5<> "/dev/tcp/127.0.0.1/$port"
    for command in "$@"; do
        framed=$command$'\r'
        line='+\send_cmd_rx '
        for ((i = 0; i < ${#framed}; i++)); do
            printf -v byte '\\0x%02X' "'${framed:i:1}"
            line+=$byte
        done
        printf '%s 0\n' "$line" >&5
        while IFS= read -r -t 10 line <&5; do
            [[ $line == RPRT* ]] && break
        done
        [[ $line == 'RPRT 0' ]] || fail "rigctld answered \"$line\" to $command"
    done
    exec 5>&-
}

# Asks the radio, the way a test may and Quillard never does, and expects the
# answer in its log.
expect_answer() {
    local before
    before=$(grep -c '^ANS ' "$LOG")
    quillard_send "$1"
    grep '^ANS ' "$LOG" | tail -n +$((before + 1)) | grep -qF " $2" \
        || fail "the radio did not answer $2 to $1"
}

start_rigctld() {
    RIGCTLD_PORT=$(free_port)
    rigctld "$@" -r "$LINK" -T 127.0.0.1 -t "$RIGCTLD_PORT" > "$WORK/rigctld.log" 2>&1 &
    PIDS+=($!)
    local i
    for i in $(seq 200); do
        (exec 3<> "/dev/tcp/127.0.0.1/$RIGCTLD_PORT") 2>/dev/null && return 0
        sleep 0.05
    done
    fail "rigctld did not start"
}

free_port() {
    local port
    for port in $(shuf -i 20000-60000 -n 50); do
        (exec 3<> "/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
    done
    fail "no free port on 127.0.0.1"
}

# Hamlib rests 30 ms after each command it sends a TS-570 (some 3.5 s for a
# hundred channels). One session of each case keeps that pace, as clients
# drive the radio (the first, or rigmem's load of six channels rather than a
# save that reads all hundred); the others run without the rests: the radio
# then takes Hamlib's commands back to back, and what it receives is the same.
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
    start_rigctld -m 2016
    run rigctl -m 2 -r "127.0.0.1:$RIGCTLD_PORT" F 14074000 f M USB 0 m V VFOB v F 14076000 f \
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
    run rigmem "${fast[@]}" -m 2016 -r "$LINK" save "$WORK/empty.csv"
    [[ $(cat "$WORK/empty.csv") == 'num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,' ]] \
        || fail "an empty radio saved channels: $(cat "$WORK/empty.csv")"
    run rigmem -m 2016 -r "$LINK" load "$WORK/channels.csv"
    expect_received 'MW0 070002748500020000 ;' 'MW0 420000703000070000 ;' \
        'MW1 990005112500040000 ;'
    run rigmem "${fast[@]}" -m 2016 -r "$LINK" save "$WORK/saved.csv"
    diff -u "$WORK/channels.csv" "$WORK/saved.csv" || fail "rigmem save gave other channels"
    expect_received 'MR0 07;' 'MR1 99;'
    expect_no_refusal
    ;;
quillard-s)
    start_radio
    # Split as Quillard's Split button sets it, then RIT up three steps of
    # 10 Hz: Hamlib reads them back in a session of its own.
    quillard_send 'FR0;' 'FT1;' 'FB00014079000;' 'RT1;' 'RU;' 'RU;' 'RU;'
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" s j z
    expect_output $'1\nVFOB\n30\n0'
    # XIT shares the offset; two steps down.
    quillard_send 'XT1;' 'RD;' 'RD;'
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" s j z
    expect_output $'1\nVFOB\n10\n10'
    # Clear, then a band button: its receiver command ends the split.
    quillard_send 'RC;' 'FR0;' 'FA00007030000;'
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" s j z f
    expect_output $'0\ncurrVFO\n0\n0\n7030000'
    # The levels, and the filter in CW.
    quillard_send 'PC050;' 'AG128;' 'RG200;' 'MG050;' 'KS025;' 'SQ050;' 'IS+0300;' 'MD3;' 'FW0500;'
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" l RFPOWER l AF l RF l MICGAIN l KEYSPD m
    expect_output $'0.500000\n0.501961\n0.784314\n0.500000\n25\nCW\n500'
    # Hamlib 4.5.4 refuses to read squelch from a TS-570 (and would set it as
    # SQ0nnn;); the radio's own answers show SQ and IS were taken.
    expect_answer 'SQ;' 'SQ050;'
    expect_answer 'IS;' 'IS+0300;'
    # The S has 6 m.
    quillard_send 'FA00050000000;'
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" f
    expect_output '50000000'
    expect_no_refusal
    ;;
quillard-d)
    start_radio --model D
    quillard_send 'FR0;' 'FT1;' 'RT1;' 'RU;' 'RU;' 'RU;' 'XT1;' 'RD;'
    run rigctl "${fast[@]}" -m 2004 -r "$LINK" s j z
    expect_output $'1\nVFOB\n20\n20'
    quillard_send 'FR0;' 'RT0;' 'XT0;' 'RC;'
    run rigctl "${fast[@]}" -m 2004 -r "$LINK" s j z
    expect_output $'0\ncurrVFO\n0\n0'
    quillard_send 'PC005;' 'AG000;' 'RG255;' 'MG100;' 'KS060;' 'SQ255;'
    run rigctl "${fast[@]}" -m 2004 -r "$LINK" l RFPOWER l AF l RF l MICGAIN l KEYSPD
    expect_output $'0.050000\n0.000000\n1.000000\n1.000000\n60'
    expect_answer 'SQ;' 'SQ255;'
    # No 6 m on the D: refused, the VFO unchanged; 30 MHz is its top.
    quillard_send 'FA00050000000;' 'FB00030000000;'
    expect_refused 'FA00050000000;'
    run rigctl "${fast[@]}" -m 2004 -r "$LINK" f
    expect_output '14000000'
    expect_no_refusal
    ;;
quillard-rigctld)
    start_radio
    # rigctld keeps what it read for half a second, and raw commands do not
    # refresh that: without its cache every read below asks the radio.
    start_rigctld -m 2016 -C cache_timeout=0
    # Quillard shares the radio through rigctld: the same commands, framed
    # and sent through it, read back by another client.
    quillard_send_rigctld "$RIGCTLD_PORT" 'FR0;' 'FT1;' 'RT1;' 'RU;' 'RU;' 'RU;' 'PC050;' \
        'AG128;' 'RG200;' 'MG050;' 'KS060;' 'SQ050;'
    run rigctl -m 2 -r "127.0.0.1:$RIGCTLD_PORT" s j z l RFPOWER l AF l RF l MICGAIN l KEYSPD
    expect_output $'1\nVFOB\n30\n0\n0.500000\n0.501961\n0.784314\n0.500000\n60'
    quillard_send_rigctld "$RIGCTLD_PORT" 'XT1;' 'RD;' 'FR0;'
    run rigctl -m 2 -r "127.0.0.1:$RIGCTLD_PORT" s z
    expect_output $'0\ncurrVFO\n20'
    expect_answer 'SQ;' 'SQ050;'
    # Hamlib's CW sender through rigctld, at the 60 wpm set above (the
    # radio's top speed: it keys in real time). Hamlib 4.5.4's network client
    # hands the text on with a blank before it, which the radio keys as a
    # word gap.
    run rigctl -m 2 -r "127.0.0.1:$RIGCTLD_PORT" b 'CQ TEST'
    expect_received 'KY;' 'KY  CQ TEST                ;'
    expect_keyed ' CQ TEST'
    expect_no_overflow
    expect_no_refusal
    ;;
morse)
    start_radio
    # Hamlib asks for room with KY; before each 24-character text. Keyed at
    # the radio's top speed, 60 wpm, as everything here: the radio keys in
    # real time.
    run rigctl -m 2016 -r "$LINK" L KEYSPD 60 b 'CQ TEST'
    expect_received 'KS060;' 'KY;' 'KY CQ TEST                 ;'
    expect_keyed 'CQ TEST'
    # Three texts: the third has to wait until the radio has keyed the first
    # (Hamlib reads KY1; and tries again), and none is lost. The fewest
    # characters that make three texts (49), of the letters of fewest dots
    # and dashes, so the wait is short; neither break falls on a blank.
    message='I TEE TEE TEE TEE TEE TEE TEE TEE TEE TEE TEE TEE'
    run rigctl "${fast[@]}" -m 2016 -r "$LINK" L KEYSPD 60 b "$message"
    expect_received 'KY I TEE TEE TEE TEE TEE TE;' 'KY E TEE TEE TEE TEE TEE TE;' \
        'KY E                       ;'
    grep -q '^ANS .* KY1;$' "$LOG" || fail "Hamlib never had to wait for room"
    expect_keyed "$message"
    expect_no_overflow
    expect_no_refusal
    ;;
*)
    echo "unknown case $CASE" >&2
    exit 2
    ;;
esac
echo "PASS: $CASE"
