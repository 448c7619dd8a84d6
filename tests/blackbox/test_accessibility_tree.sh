#!/usr/bin/env bash
# The panel as AT-SPI gives it to any assistive technology (pyatspi on a
# private accessibility bus, no screen reader): names, roles, states and
# containment of every control, the menus, and a press through AT-SPI. With
# accessibility on but no screen reader, focus still selects: this also shows
# that safe navigation follows ScreenReaderEnabled, not accessibility itself.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/screenreader.sh"

/usr/bin/python3 -c "import pyatspi" 2>/dev/null || fail "python3-pyatspi is not installed"
start_x
radio_on_com1
start_accessibility_bus false
start_main_window
sleep 1 # nothing is sent within 1 s of the start
expect_bytes ''
/usr/bin/python3 "$(dirname "$0")/accessibility_tree.py" Quillard "$MAIN_TITLE" || fail "the accessibility tree is not as expected"
expect_bytes $'FR0;\rFA00014000000;\r'

# Focus selects without a screen reader: Tab from "VFO A" to "VFO B".
xdotool key Tab
expect_bytes $'FR0;\rFA00014000000;\rFR1;\r'
echo "PASS"
