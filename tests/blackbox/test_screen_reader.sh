#!/usr/bin/env bash
# A blind operator with the Orca screen reader, as Orca itself hears the
# panel: Orca runs headless on a private session bus with the accessibility
# bus, its debug log is the record of what it says, and keys go in as an
# operator presses them. With a screen reader on, Tab explores without
# operating the radio, Space acts, and each action is spoken with what it sent.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/screenreader.sh"

start_x
radio_on_com1
start_screen_reader
mark_said
start_main_window
wait_said '^VFO A\.$'
sleep 1 # nothing is sent within 1 s of the start
expect_bytes ''

# Thirty Tabs from "VFO A" pass VFO B, Mem and the memories up to "Mem 28"
# (Mem 03 comes last in the order): each is heard, none is selected or sent.
mark_said
for _ in $(seq 30); do press Tab; done
wait_said '^Mem 28\.$'
said_since_mark | grep -qx 'VFO B\.' || fail "Tab past VFO B was not heard"
said_since_mark | grep -qx 'not selected radio button' || fail "no 'not selected' heard"
said_since_mark | grep -qx 'selected radio button' && fail "a button was selected by Tab"
sleep 0.5 # nothing is sent within 0.5 s of the last Tab
expect_bytes ''

# Back to "VFO A" and on backwards past the time signals, the picture and
# the Settings frame to the noise blanker (44 keys, without waiting for Orca
# on the way): still nothing sent.
mark_said
pass_keys $(printf 'shift+Tab %.0s' $(seq 44))
wait_said '^Noice Blanker check box not checked\.$'
expect_bytes ''

# The noise blanker's first press sends its "off" setting; each press says
# what it sent, and the switch is checked while "on" was last sent.
sent=''
mark_said
press_here space
sent+=$'NB0;\r'
expect_bytes "$sent"
wait_said '^notification Noise blanker off\.$'
mark_said
press_here space
sent+=$'NB1;\r'
expect_bytes "$sent"
wait_said '^notification Noise blanker on\.$'
wait_said '^checked$'

# On to "20m" (RF Attenuator, Scan, Antenna 2, six modes, 10m .. 17m pass
# silently), and Space there tunes it and says so.
mark_said
pass_keys $(printf 'shift+Tab %.0s' $(seq 14))
wait_said '^20m\.$'
expect_bytes "$sent"
mark_said
press_here space
sent+=$'FR0;\rFA00014000000;\r'
expect_bytes "$sent"
wait_said '^notification 20 metres, VFO A, 14\.000 MHz\.$'

# Return acts as Space does: "20m" again.
mark_said
press_here Return
sent+=$'FR0;\rFA00014000000;\r'
expect_bytes "$sent"
wait_said '^notification 20 metres, VFO A, 14\.000 MHz\.$'

# Menus say their title as they open, and each item its shortcut.
mark_said
press alt+f
wait_said '^notification File menu\.$'
wait_said '^Exit Ctrl+X\.$'
mark_said
press Right
wait_said '^notification Program Radio Memories menu\.$'
wait_said '^Memories Ctrl+M\.$'
mark_said
press Right
press Right
wait_said '^notification Help menu\.$'
press Down
wait_said '^Keyboard Shortcuts Shift+F1\.$'
press Down
wait_said '^About F1\.$'
press_here Escape   # closes the Help menu, which need move no focus Orca follows
press Escape
wait_said '^20m\.$'
expect_bytes "$sent"

# The memory window, opened by its shortcut, is heard with its first field.
mark_said
press ctrl+m
wait_said '^Channel 00 frequency text\.$'

# After a box over the sheet closes, Orca hears the control the keyboard came
# back to, and not the long instruction under the sheet again. Export with an
# empty sheet says there is nothing to export.
instruction='Enter all memories without decimals'
mark_said
press shift+Tab
wait_said '^Export rigmem CSV push button'
press space
wait_said 'nothing to export'
mark_said
press Return
wait_said '^Export rigmem CSV push button'
sleep 0.5 # the instruction is not said within 0.5 s
said_since_mark | grep -q "$instruction" && fail "instruction read again: $(said_since_mark | tr '\n' '|')"

# A frequency of three digits left with Tab: the format box, then the sheet.
press Tab
press_here 1
press_here 2
press_here 3
mark_said
press Tab
wait_said 'Data not entered in correct format'
mark_said
press Return
wait_said '^Channel 00 \(frequency\|mode\) text'
sleep 0.5 # the instruction is not said within 0.5 s
said_since_mark | grep -q "$instruction" && fail "instruction read again: $(said_since_mark | tr '\n' '|')"
press Escape
wait_said '^20m\.$'
expect_bytes "$sent"

# Station Controls heard: the 50 W power preset (Ctrl+J, then 4, in the
# window Ctrl+S opens) sends its command and Orca says what was sent; then
# the keyboard goes back to the panel, where it was ("20m"). Here, while Orca
# is still running.
focus_window Form2
mark_said
press_here ctrl+s
STATION_CONTROLS=$(wait_window "Station Controls")
wait_focus "$STATION_CONTROLS"
wait_said 'Station Controls'
mark_said
press_here ctrl+j
press_here 4
sent+=$'PC050;\r'
expect_bytes "$sent"
wait_said '^notification Power 50 watts as sent\.$'
focus_window Form2

# Tuning to a typed frequency by ear: Ctrl+T opens the box with the
# keyboard in its field; a frequency the radio cannot tune is refused aloud
# and sends nothing; 14.074 and Enter tune the VFO the panel addresses, and
# the announcement is heard.
before_tuning=$(cat "$RADIO_BYTES")
mark_said
press ctrl+t
wait_said '^Frequency:\? text'
for key in 9 9 Return; do press_here "$key"; done
wait_said 'outside the TS-570D.s range, 500 kHz to 30 MHz'
sleep 0.5 # nothing is sent within 0.5 s of the refused entry
received "$before_tuning" || fail "a refused frequency sent $(printf '%q' "$(cat "$RADIO_BYTES")")"
press_here ctrl+a
for key in 1 4 period 0 7 4; do press_here "$key"; done
mark_said
press_here Return
tuned_a() { received "$before_tuning"$'FR0;\rFA00014074000;\r'; }
tuned_b() { received "$before_tuning"$'FR1;\rFB00014074000;\r'; }
tuned_14074() { tuned_a || tuned_b; }
wait_for 5 tuned_14074 || fail "Enter sent $(printf '%q' "$(cat "$RADIO_BYTES")")"
wait_said '^notification VFO [AB], 14\.074 MHz\.$'
sent=$(<"$RADIO_BYTES")

# The CW keyer, heard: a line typed in Station Controls and Enter; the offer
# to switch to CW first, answered Yes; "Sending CW" as it starts and "CW
# sent" once the radio has keyed it (TEST at 20 wpm, 1.44 s).
set_screen_reader_enabled true
focus_window Form2
mark_said
hold_key ctrl+s
# Open already: Orca may say only the control that gets the keyboard back,
# not the window, so the window's keyboard is what is waited for.
wait_focus "$STATION_CONTROLS"
hold_key ctrl+k
# Orca takes the field as its focus (it may not say it while the window
# itself is still being announced).
orca_on_line() { orca_focus | grep -q 'text | CW line, Enter sends'; }
wait_for 20 orca_on_line || fail "Orca never took the CW line: $(orca_focus)"
xdotool type --delay 30 'TEST'
mark_said
press_here Return
wait_said 'Switch the radio to CW (MD3;) before sending?'
mark_said
press_here Return
wait_said 'Sending CW: TEST'
sent+=$'MD3;\rKS020;\rKY TEST                    ;\r'
expect_bytes "$sent"
wait_said 'CW sent: TEST'
expect_bytes "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
