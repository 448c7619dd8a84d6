#!/usr/bin/env bash
# A bare X server with no window manager (kiosk set-ups, xvfb-run): after a
# message box closes, the window below takes the keyboard back by itself, so
# the operator can go on by keyboard without clicking first; and focus that
# merely comes back selects nothing.
#
# First run, as reported: Save clicked with Com2 (the first focus) and no baud
# rate; Return on "You must choose a Baud Rate!"; then Shift+Tab reaches 9600
# (which selects it), Tab reaches Save and Space saves port 2 at 9600.
# Main window: "System Reset" clicked, Esc on "Are you sure?" (No); then Tab
# walks on to "VFO B", which selects it and sends its command, and nothing
# else went out.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
# Port 2 reaches the same test radio.
ln -s "$(readlink "$QUILLARD_CONFIG/com1")" "$QUILLARD_CONFIG/com2"
start_first_run
click Form3 Command1            # Save, with no baud rate chosen
box=$(wait_window "Quillard")
wait_focus "$box"
xdotool key Return
wait_window_gone "Quillard"
# The settings window takes the keyboard back by itself.
wait_focus "$SETTINGS"
[[ ! -e "$QUILLARD_CONFIG/qd.cfg" ]] || fail "qd.cfg written without a baud rate"
xdotool key shift+Tab Tab space

WIN=$(wait_window "$MAIN_TITLE")
got=$(od -An -c "$QUILLARD_CONFIG/qd.cfg" | tr -s ' ')
[[ "$(cat "$QUILLARD_CONFIG/qd.cfg")" == $'2\r\n9600\r' ]] || fail "qd.cfg holds:$got"
sleep 0.5 # nothing is sent within 0.5 s of the start
expect_bytes ''

click Form2 Command18           # "System Reset": its cue, then "Are you sure?"
box=$(wait_window "Are you sure\?")
wait_focus "$box"
xdotool key Escape
wait_window_gone "Are you sure\?"
# The main window takes the keyboard back by itself; from "System Reset":
# the picture, 5, 10 and 15 MHz, "VFO A" (marked already: nothing), then
# "VFO B".
wait_focus "$WIN"
xdotool key Tab Tab Tab Tab Tab Tab
expect_bytes $'FR1;\r'

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS: focus comes back after message boxes"
