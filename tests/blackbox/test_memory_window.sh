#!/usr/bin/env bash
# The memory window through its shortcut, as an operator would: Ctrl+M takes
# the port from the main window, a channel typed into the sheet goes out with
# "Write to radio", Exit hands the port back, and the panel's "20m" button
# goes out on the same line.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
start_main_window
sleep 1
expect_bytes ''

click_panel 470 60   # empty sky: gives the panel the keyboard
xdotool key ctrl+m
sheet=$(wait_window "Program Radio Memory")
sleep 0.5

click_at "$sheet" 80 36              # freq00
xdotool type --delay 50 2840000
xdotool key Tab
xdotool type --delay 50 usb
click_at "$sheet" 402 537            # "Write to radio"
sent=$'MW0 000002840000020001 ;\r'
expect_bytes "$sent"

click_at "$sheet" 566 537            # "Exit"
wait_window_gone "Program Radio Memory"
sleep 0.5

click_panel 552 94   # "20m" on the panel, with the port back
sent+=$'FR0;\rFA00014000000;\r'
expect_bytes "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
