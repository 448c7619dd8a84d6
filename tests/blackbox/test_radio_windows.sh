#!/usr/bin/env bash
# A guide opened through the menus, as an operator would: the SAREX guide
# takes the port from the main window, a click on "3860 kHz" tunes the radio,
# closing the guide hands the port back, and the panel's "20m" button goes out
# on the same line.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
start_main_window
sleep 1
expect_bytes ''

# Frequencies > SAREX by the keyboard: Alt+F opens "File", two steps right
# reach "Frequencies", whose third item is "SAREX".
click_panel 470 60   # empty sky: gives the panel the keyboard
xdotool key --delay 150 alt+f Right Right Down Down Return
guide=$(wait_window "SAREX")
sleep 0.5

click_at "$guide" 96 86       # "3860 kHz" (Command1 at 50, 72, 92 by 29)
sent=$'MD2;\rFR0;\rFA00003860000;\r'
expect_bytes "$sent"

click_at "$guide" 100 30      # the WA3NAN description: nothing
sleep 0.3
expect_bytes "$sent"

xdotool key Escape           # closes the guide as its close button does
wait_window_gone "SAREX"
sleep 0.5

click_panel 552 94   # "20m" on the panel, with the port back
sent+=$'FR0;\rFA00014000000;\r'
expect_bytes "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
