#!/usr/bin/env bash
# A guide opened through the menus, as an operator would: the SAREX guide
# takes the port from the main window, a click on "3860 kHz" tunes the radio,
# closing the guide hands the port back, and the panel's "20m" button goes out
# on the same line.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
printf '1\r\n9600\r\n' > "$QUILLARD_CONFIG/qd.cfg"
start_quillard
win=$(wait_window "Kenwood Quillard Version 1.02")
eval "$(xdotool getwindowgeometry --shell "$win")"
menu=$((HEIGHT - 432))
(( menu >= 0 && menu < 60 )) || fail "unexpected window height $HEIGHT"
sleep 1
expect_bytes ''

# Frequencies > SAREX by the keyboard: Alt+F opens "File", two steps right
# reach "Frequencies", whose third item is "SAREX".
click_at "$win" 470 $((60 + menu))   # empty sky: gives the panel the keyboard
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
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^SAREX$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^SAREX$' >/dev/null 2>&1 && fail "the guide did not close"
sleep 0.5

click_at "$win" 552 $((94 + menu))   # "20m" on the panel, with the port back
sent+=$'FR0;\rFA00014000000;\r'
expect_bytes "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
