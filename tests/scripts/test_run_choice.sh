#!/usr/bin/env bash
# The run script's choice of whether the virtual TS-570 stands in, tried on
# made-up machines: a settings folder, /dev and /sys of the test's own, and a
# stub display check, so no X server, serial port or radio is needed.
set -euo pipefail

: "${QUILLARD_SOURCE_DIR:?set by CTest}"
CHOICE_SCRIPT="$QUILLARD_SOURCE_DIR/scripts/run-choice.sh"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
cases=0

# A fresh machine: empty settings folder, empty /dev and /sys, a display.
machine() {
    rm -rf "$WORK/m"
    CONFIG="$WORK/m/config/quillard"
    DEV="$WORK/m/dev"
    SYS="$WORK/m/sys"
    mkdir -p "$CONFIG" "$DEV" "$SYS/class/tty"
    DISPLAY_CHECK=true
}
settings() { printf '%s\r\n%s\r\n' "$1" "$2" >"$CONFIG/qd.cfg"; }
# A ttyS node and what Linux says is behind it (the UART type; 0 is none).
tty() {
    : >"$DEV/$1"
    mkdir -p "$SYS/class/tty/$1"
    [[ $# -lt 2 ]] || echo "$2" >"$SYS/class/tty/$1/type"
}

# expect "what" "first line" [text the explanation must name]
expect() {
    local what=$1 want=$2 mention=${3:-} out first
    cases=$((cases + 1))
    out=$(XDG_CONFIG_HOME="$WORK/m/config" QUILLARD_DEV_ROOT="$DEV" QUILLARD_SYS_ROOT="$SYS" \
        QUILLARD_DISPLAY_CHECK="$DISPLAY_CHECK" bash "$CHOICE_SCRIPT" 2>&1) || {
        echo "FAIL: $what: the script failed: $out" >&2
        failures=$((failures + 1))
        return
    }
    first=${out%%$'\n'*}
    if [[ "$first" != "$want" ]]; then
        echo "FAIL: $what: got '$first', expected '$want'" >&2
        failures=$((failures + 1))
    elif [[ -n "$mention" && "$out" != *"$mention"* ]]; then
        echo "FAIL: $what: the explanation does not name $mention: $out" >&2
        failures=$((failures + 1))
    fi
}

# --- a comN link: never the virtual radio on that port ----------------------
machine; settings 1 9600; : >"$DEV/ttyUSB0"; ln -s "$DEV/ttyUSB0" "$CONFIG/com1"
expect "com1 links to a device, no ttyS0" "radio 1" "$CONFIG/com1"

machine; settings 1 9600; ln -s "$DEV/ttyUSB0" "$CONFIG/com1"
expect "com1 links to a device that is unplugged" "radio 1" "rm $CONFIG/com1"

machine; settings 1 9600; ln -s /dev/pts/97 "$CONFIG/com1"; tty ttyS0 0
expect "com1 link beside a ttyS0 without a UART" "radio 1"

machine; settings 2 9600; : >"$DEV/ttyUSB0"; ln -s "$DEV/ttyUSB0" "$CONFIG/com2"
expect "com2 link, qd.cfg names port 2" "radio 2"

machine; for n in 1 2 3 4; do ln -s "$DEV/ttyUSB$n" "$CONFIG/com$n"; done
expect "first run, every port linked" "radio 1"

# --- no link, and no device: the virtual radio ------------------------------
machine; settings 1 9600
expect "no com1 link, no ttyS0" "virtual 1" "/dev/ttyS0"

machine
expect "first run, no link, no ttyS0" "virtual 1"

# --- no link, a ttyS node with no UART behind it: the virtual radio ---------
machine; settings 1 9600; tty ttyS0 0
expect "no com1 link, ttyS0 of UART type 0" "virtual 1" "/dev/ttyS0"

machine; settings 4 4800; tty ttyS3 0; tty ttyS0 4
expect "qd.cfg names port 4, ttyS3 of type 0" "virtual 4" "/dev/ttyS3"

# --- no link, a real UART: no virtual radio ---------------------------------
machine; settings 1 9600; tty ttyS0 4
expect "no com1 link, ttyS0 is a 16550A (type 4)" "radio 1" "/dev/ttyS0"

machine; settings 3 9600; tty ttyS2 4
expect "qd.cfg names port 3, ttyS2 is a UART" "radio 3" "/dev/ttyS2"

machine; settings 1 9600; tty ttyS0
expect "ttyS0 whose UART type Linux does not tell" "radio 1"

# First run: the first port without a radio takes the virtual one.
machine; tty ttyS0 4
expect "first run, ttyS0 is a UART, no ttyS1" "virtual 2" "/dev/ttyS1"

machine; tty ttyS0 4; ln -s "$DEV/ttyUSB0" "$CONFIG/com2"; tty ttyS2 0
expect "first run, Com1 a UART, Com2 linked, ttyS2 of type 0" "virtual 3"

# --- no display: nothing else is decided ------------------------------------
machine; settings 1 9600; DISPLAY_CHECK=false
expect "no display" "no-display"

if (( failures > 0 )); then
    echo "$failures of $cases cases failed" >&2
    exit 1
fi
echo "run choice: $cases cases passed"
