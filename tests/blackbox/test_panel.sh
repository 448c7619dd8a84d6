#!/usr/bin/env bash
# The main panel, driven like an operator would: the program starts with a
# settings file for port 1, shows its splash for its two waits and the cue
# between them, opens the panel with "VFO A" marked and nothing sent, and real
# clicks at the buttons put exactly their commands on the line.
source "$(dirname "$0")/common.sh"

start_x
radio_on_com1
started=$(date +%s%N)
START_CLOCK_WARP= # the start-up's waits on the real clock, as they are measured here
start_main_window
# The real clock: the main window comes only after the two 2-second waits.
waited_ms=$(( ($(date +%s%N) - started) / 1000000 ))
(( waited_ms >= 4000 )) || fail "the main window came after $waited_ms ms, before the waits were over"

# Start-up: the first showing marks "VFO A" silently.
sleep 0.5 # nothing is sent within 0.5 s of the start
expect_bytes ''

sent=''
click Form2 m20               # "20m": VFO A is the default
sent+=$'FR0;\rFA00014000000;\r'
expect_bytes "$sent"

click Form2 Option1           # "USB"
sent+=$'MD2;\r'
expect_bytes "$sent"

click Form2 Option13          # "Mem 05"
sent+=$'FR2;\rMC 05;\r'
expect_bytes "$sent"

click Form2 Command10         # "Noice Blanker": its first press sends "off"
sent+=$'NB0;\r'
expect_bytes "$sent"

click Form2 Option7           # "VFO B"
sent+=$'FR1;\r'
expect_bytes "$sent"

click Form2 m160              # "160m" now tunes VFO B
sent+=$'FR1;\rFB00001800000;\r'
expect_bytes "$sent"

click Form2 Command2          # "5 MHz", inside the "WWV" frame
sent+=$'MD5;\rFA00005000000;\r'
expect_bytes "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
