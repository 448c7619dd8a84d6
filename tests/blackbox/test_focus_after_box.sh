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
click_at "$SETTINGS" 150 149          # Save, with no baud rate chosen
wait_window "Quillard" >/dev/null
sleep 0.5
xdotool key Return
wait_window_gone "Quillard"
sleep 0.5
[[ ! -e "$QUILLARD_CONFIG/qd.cfg" ]] || fail "qd.cfg written without a baud rate"
xdotool key --delay 200 shift+Tab Tab space

WIN=$(wait_window "$MAIN_TITLE")
got=$(od -An -c "$QUILLARD_CONFIG/qd.cfg" | tr -s ' ')
[[ "$(cat "$QUILLARD_CONFIG/qd.cfg")" == $'2\r\n9600\r' ]] || fail "qd.cfg holds:$got"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
MENU=$((HEIGHT - 432))
sleep 0.5
expect_bytes ''

click_panel 46 407            # "System Reset": its cue, then "Are you sure?"
wait_window "Are you sure\?" >/dev/null
sleep 0.5
xdotool key Escape
wait_window_gone "Are you sure\?"
sleep 0.5
# From "System Reset": the picture, 5, 10 and 15 MHz, "VFO A" (marked
# already: nothing), then "VFO B".
xdotool key --delay 200 Tab Tab Tab Tab Tab Tab
expect_bytes $'FR1;\r'

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS: focus comes back after message boxes"
