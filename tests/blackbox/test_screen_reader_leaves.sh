#!/usr/bin/env bash
# A screen reader that goes away while the program runs turns its safe
# keyboard navigation off. The program follows ScreenReaderEnabled on the
# accessibility bus (org.a11y.Status, which Orca sets as it starts), so no
# screen reader runs here: the property is set on and off as Orca would. While
# it is on, Shift+Tab from "20m" to "30m" and Tab back send nothing; once it
# is off, Shift+Tab to "30m" selects it.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/screenreader.sh"

start_x
radio_on_com1
start_accessibility_bus true
start_main_window

# A click on "20m" tunes it, as it does with or without a screen reader, and
# leaves the keyboard there.
click Form2 m20
sent=$'FR0;\rFA00014000000;\r'
expect_bytes "$sent"
focus_window Form2

# With the screen reader on, the keys only move the focus.
press_here shift+Tab
press_here Tab
sleep 0.5 # nothing is sent within 0.5 s of Shift+Tab to "30m" and Tab back
expect_bytes "$sent"

# The screen reader goes. The program hears of it on the session bus in its
# own time, and nothing shows when: until then Shift+Tab only moves to "30m",
# and Tab back to "20m", which is marked, sends nothing either; so the two go
# on until "30m" is selected.
set_screen_reader_enabled false
sent+=$'FR0;\rFA00010100000;\r'
selects_30m() {
    press_here shift+Tab
    wait_for 3 received "$sent" && return 0
    received "${sent%$'FR0;\rFA00010100000;\r'}" || fail "a Tab sent something"
    press_here Tab
    return 1
}
wait_for 20 selects_30m || fail "Shift+Tab never selected 30m once the screen reader was gone"
expect_bytes "$sent"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
