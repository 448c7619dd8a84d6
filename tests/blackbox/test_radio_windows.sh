#!/usr/bin/env bash
# The windows that borrow the serial port, opened as an operator would: the
# memory window by Ctrl+M, with a channel typed and written, and the SAREX
# guide through the menus by keyboard, with a tuning click. Each time the
# window writes on the line while it is open, and once it has closed the
# panel has the port back.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
start_main_window
sleep 0.5
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

click_panel 470 60
xdotool key --delay 150 alt+f Right Right Down Down Return
guide=$(wait_window "SAREX")
sleep 0.5

click_at "$guide" 96 86       # "3860 kHz" (Command1 at 50, 72, 92 by 29)
sent+=$'MD2;\rFR0;\rFA00003860000;\r'
expect_bytes "$sent"

click_at "$guide" 100 30      # the WA3NAN description: nothing
sleep 0.3
expect_bytes "$sent"

xdotool key Escape           # closes the guide as its close button does
wait_window_gone "SAREX"
sleep 0.5

click_panel 552 26   # "160m" on the panel, with the port back again
sent+=$'FR0;\rFA00001800000;\r'
expect_bytes "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
