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
sleep 0.5 # nothing is sent within 0.5 s of the start
expect_bytes ''

focus_window Form2
xdotool key ctrl+m
sheet=$(wait_window "Program Radio Memory")
wait_focus "$sheet"

click Form1 freq00
xdotool type 2840000
xdotool key Tab
xdotool type usb
click Form1 Command2           # "Write to radio"
sent=$'MW0 000002840000020001 ;\r'
expect_bytes "$sent"

click Form1 Command1           # "Exit"
wait_window_gone "Program Radio Memory"

click Form2 m20                # "20m" on the panel, with the port back
sent+=$'FR0;\rFA00014000000;\r'
expect_bytes "$sent"

focus_window Form2
xdotool key alt+f Right Right Down Down Return
guide=$(wait_window "SAREX")

click Form7 Command1           # "3860 kHz"
sent+=$'MD2;\rFR0;\rFA00003860000;\r'
expect_bytes "$sent"

click Form7 Text1              # the WA3NAN description
sleep 0.3 # nothing is sent within 0.3 s of a click on a description
expect_bytes "$sent"

wait_focus "$guide"
xdotool key Escape             # closes the guide as its close button does
wait_window_gone "SAREX"

click Form2 m160               # "160m" on the panel, with the port back again
sent+=$'FR0;\rFA00001800000;\r'
expect_bytes "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
