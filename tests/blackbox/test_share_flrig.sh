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
source "$(dirname "$0")/shared_radio.sh"

VRADIO="$QUILLARD_BINARY_DIR/tools/virtual-radio/quillard-virtual-radio"
"$VRADIO" --no-window --link "$WORK/radio" > "$WORK/vradio.log" 2>&1 &
PIDS+=($!)
start_x
relay_to_radio

mkdir -p "$WORK/flrig"
printf '; FLTK preferences file format 1.0\n; vendor: w1hkj.com\n; application: flrig\n\n[.]\n\nxcvr_name:TS-570\n' \
    > "$WORK/flrig/flrig.prefs"
printf '; FLTK preferences file format 1.0\n; vendor: w1hkj.com\n; application: TS-570\n\n[.]\n\nversion:1.4.7\nxcvr_serial_port:%s\ncomm_baudrate:5\nxmlport:12345\n' \
    "$(readlink -f "$WORK/rigside")" > "$WORK/flrig/TS-570.prefs"
HOME="$WORK" flrig --config-dir "$WORK/flrig" > "$WORK/flrig.log" 2>&1 &
PIDS+=($!)
flrig_listens() { (exec 3<>/dev/tcp/127.0.0.1/12345) 2>/dev/null; }
wait_for 30 flrig_listens || fail "flrig does not listen"
# Its start-up reads the radio's state; its trace shows the first of the
# polls that follow.
flrig_polls() { grep -q 'get_smeter()' "$WORK/flrig/trace.txt" 2>/dev/null; }
wait_for 30 flrig_polls || fail "flrig does not poll the radio: $(tail -3 "$WORK/flrig/debug_log.txt")"

printf 'via=flrig\nhost=127.0.0.1\nport=12345\n' > "$QUILLARD_CONFIG/com1.conf"
start_main_window

click_every_kind

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
