#!/usr/bin/env bash
# The memory window by keyboard alone, as an operator who knows its Tab order
# works it: Ctrl+M from the panel, Shift+Tab round to channel 99, a channel
# typed, Tab to "Write to radio" and Space. The keyboard goes to Stop for the
# write and comes back to "Write to radio" when it ends, so a second Space
# writes again instead of reaching Exit, next in the Tab order, and closing
# the window. Space on Stop ends a write after the command in flight; once
# its box is closed with Return, the keyboard is on "Write to radio" again.
#
# Where the keyboard is comes from the accessibility bus (a private session
# bus, no screen reader): a pyatspi listener writes each control that takes
# the focus to a file, and the test waits on that file, the windows and the
# bytes at the radio.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/screenreader.sh"

/usr/bin/python3 -c "import pyatspi" 2>/dev/null || fail "python3-pyatspi is not installed"
start_x
radio_on_com1
start_accessibility_bus false

FOCUS_LOG="$WORK/focus.log"
cat >"$WORK/focus_watch.py" <<'PY'
import pyatspi

def focused(event):
    if event.detail1 != 1:
        return
    try:
        print("%s: %s" % (event.source.getRoleName(), event.source.name), flush=True)
    except Exception:
        pass

pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
print("READY", flush=True)
pyatspi.Registry.start()
PY
/usr/bin/python3 "$WORK/focus_watch.py" >"$FOCUS_LOG" 2>"$WORK/focus_watch.err" &
PIDS+=($!)
wait_for 10 grep -qx READY "$FOCUS_LOG" ||
    fail "the focus listener did not start: $(cat "$WORK/focus_watch.err")"

FOCUS_MARK=0
# The focus changes since the mark, a line each ("push button: Exit").
focus_since_mark() { grep -v -x READY "$FOCUS_LOG" | tail -n "+$((FOCUS_MARK + 1))"; }
mark_focus() { FOCUS_MARK=$(grep -c -v -x READY "$FOCUS_LOG" || true); }
# Whether the control named by the last argument is the last to have taken
# the focus since the mark, after all the names before it, in that order.
focus_went_to() {
    local seen name rest
    seen=$(focus_since_mark | sed 's/^[^:]*: //')
    [[ "$(tail -n 1 <<<"$seen")" == "${!#}" ]] || return 1
    rest=$seen
    for name in "$@"; do
        rest=$(sed -n "/^$name\$/,\$p" <<<"$rest")
        [[ -n "$rest" ]] || return 1
    done
}
# Waits up to 20 s until the focus has gone to these controls, in order.
wait_control_focus() {
    wait_for 20 focus_went_to "$@" ||
        fail "the focus did not go to: $*; it went to: $(focus_since_mark | tr '\n' '|')"
}

start_main_window
wait_control_focus "VFO A"
expect_bytes ''
focus_window Form2

mark_focus
xdotool key ctrl+m
wait_window "Program Radio Memory" >/dev/null
wait_control_focus "Channel 00 frequency"

# Backwards from channel 00: Export, Import, Save, Load, Exit, Write to radio,
# then channel 99's mode and frequency (Stop waits for a write).
mark_focus
xdotool key --delay 50 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
wait_control_focus "Exit" "Write to radio" "Channel 99 frequency"
xdotool type --delay 50 1405000
mark_focus
xdotool key Tab
wait_control_focus "Channel 99 mode"
xdotool type --delay 50 fm
mark_focus
xdotool key Tab
wait_control_focus "Write to radio"

channel98=$'MW0 980001405000040001 ;\r'
channel99=$'MW0 990001405000040001 ;\r'
mark_focus
xdotool key space
expect_bytes "$channel99"
wait_control_focus "Stop writing" "Write to radio"

# Space again: a second write, and the window stays.
mark_focus
xdotool key space
expect_bytes "$channel99$channel99"
wait_control_focus "Stop writing" "Write to radio"
xdotool search --onlyvisible --name '^Program Radio Memory$' >/dev/null ||
    fail "the second Space closed the memory window"

# Channel 98 too, four Shift+Tabs back, then forward to "Write to radio".
mark_focus
xdotool key --delay 50 shift+Tab shift+Tab shift+Tab shift+Tab
wait_control_focus "Channel 98 frequency"
xdotool type --delay 50 1405000
xdotool key Tab
xdotool type --delay 50 fm
mark_focus
xdotool key --delay 50 Tab Tab Tab
wait_control_focus "Channel 99 frequency" "Channel 99 mode" "Write to radio"

# Space, and Space at once: the second is queued while the first starts the
# write, so it finds Stop in the pause after channel 98, and 99 is not sent.
mark_focus
xdotool key space space
wait_control_focus "Stop writing" "OK"
expect_bytes "$channel99$channel99$channel98"
mark_focus
xdotool key Return
wait_control_focus "Write to radio"
expect_bytes "$channel99$channel99$channel98"

# And Space there writes both.
mark_focus
xdotool key space
expect_bytes "$channel99$channel99$channel98$channel98$channel99"
wait_control_focus "Stop writing" "Write to radio"

kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS: the keyboard comes back to Write to radio after a write and after a stop"
