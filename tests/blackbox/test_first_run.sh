#!/usr/bin/env bash
# A new operator's first start, with real clicks: the first-run message, the
# Communication Settings window, Com1 and 9600, Save, then the main window.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
start_first_run
[[ ! -e "$QUILLARD_CONFIG/qd.cfg" ]] || fail "qd.cfg written before Save"
click Form3 Com1
click Form3 Baud96
click Form3 Command1            # Save

wait_window "$MAIN_TITLE" >/dev/null
got=$(od -An -c "$QUILLARD_CONFIG/qd.cfg" | tr -s ' ')
[[ "$(cat "$QUILLARD_CONFIG/qd.cfg")" == $'1\r\n9600\r' ]] || fail "qd.cfg holds:$got"
# Nothing goes to the radio before the operator acts in the main window.
sleep 0.5 # nothing is sent within 0.5 s of the start
expect_bytes ""
kill "$QUILLARD_PID"
echo "PASS: first run"
