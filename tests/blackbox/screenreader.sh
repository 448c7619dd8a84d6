# Shared by the screen-reader tests: runs the real Orca, headless, next to the
# built program, and keeps Orca's debug log as the record of what it said.
#
#   source "$(dirname "$0")/screenreader.sh"   # after common.sh
#   start_x; radio_on_com1
#   start_screen_reader                 # private session bus, AT-SPI bus, Orca
#   mark_said; start_main_window
#   wait_said '^VFO A\.$'              # a line Orca said since the mark
#   mark_said; press Tab; said_since_mark     # Orca's utterances since the mark
#   press_here space                    # a key that moves no focus
#   pass_keys Tab Tab; wait_said '^Mem\.$'   # passing a control unheard
#
# The session bus is private (dbus-run-session cannot be used from a sourced
# script, so dbus-daemon is started here as a child of the test and ended by
# the cleanup); the accessibility bus launcher and its own dbus-daemon end
# with it.
# No speech synthesizer is needed: Orca logs each utterance ("SPEECH OUTPUT:")
# before it hands it to speech-dispatcher, which is absent.

ORCA_LOG="$WORK/orca.log"
ORCA_MARK=0

# A private session bus with the accessibility bus on it, accessibility on.
start_accessibility_bus() {
    local launcher=/usr/libexec/at-spi-bus-launcher
    [[ -x $launcher ]] || fail "at-spi2-core is not installed"
    # A child of the test, not a daemon of its own (--fork): a test that is
    # killed, as CTest kills one past its time, takes it along.
    local address="$WORK/session-bus"
    mkfifo "$address"
    dbus-daemon --session --nofork --print-address=3 3>"$address" 2>"$WORK/session-bus.log" &
    DBUS_PID=$!
    PIDS+=("$DBUS_PID")
    # It writes its address once it takes connections; one that fails
    # first closes the pipe.
    read -r -t 10 DBUS_SESSION_BUS_ADDRESS < "$address" \
        || fail "no private session bus could be started: $(cat "$WORK/session-bus.log")"
    export DBUS_SESSION_BUS_ADDRESS
    "$launcher" --launch-immediately >"$WORK/at-spi.log" 2>&1 &
    PIDS+=($!)
    wait_for 5 accessibility_bus_up || fail "the accessibility bus did not come up: $(cat "$WORK/at-spi.log")"
    # What Orca sets when it starts; set here too so that the bridge of a
    # program started first is already on. false: accessibility without a
    # screen reader.
    set_screen_reader_enabled "${1:-true}"
}

accessibility_bus_up() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1
}

orca_of_user() { pgrep -u "$(id -u)" -x orca >/dev/null; }
no_orca_of_user() { ! orca_of_user; }
orca_started() { grep -q "ORCA: Starting registry" "$ORCA_LOG" 2>/dev/null; }

start_screen_reader() {
    command -v orca >/dev/null || fail "orca is not installed (apt-get install orca python3-pyatspi)"
    start_accessibility_bus true
    mkdir -p "$WORK/orca-prefs"
    # Orca writes its log unflushed; line by line lets the test read it as it
    # grows. INFO is the level of its "SPEECH OUTPUT:" lines.
    cat >"$WORK/orca-prefs/orca-customizations.py" <<'PY'
import orca.debug
orca.debug.debugFile.reconfigure(line_buffering=True)
orca.debug.debugLevel = orca.debug.LEVEL_INFO
PY
    # Orca runs once per user: a second one refuses to start, and --replace
    # would SIGKILL the first, another test's (in another build tree too).
    # In a process namespace of its own (unshare, with a user namespace where
    # the test is not root) it sees no other, so each test has its own and
    # none waits for another's; it ends with the unshare that started it.
    # Where no namespace can be made, the tests take turns; the turn ends
    # with this script.
    local alone=()
    if unshare --pid --fork --mount-proc true 2>/dev/null; then
        alone=(unshare --pid --fork --mount-proc --kill-child)
    elif unshare -r --pid --fork --mount-proc true 2>/dev/null; then
        alone=(unshare -r --pid --fork --mount-proc --kill-child)
    else
        exec {ORCA_TURN}>"/tmp/quillard-orca-$(id -u).lock"
        flock -w 40 "$ORCA_TURN" || fail "another test's Orca held its turn for 40 s"
        # One started otherwise (an older test's, which --replace'd) may still end.
        if ! wait_for 40 no_orca_of_user; then
            echo "SKIP: an Orca of this user is running, and a test does not end it" >&2
            exit 77
        fi
    fi
    "${alone[@]}" orca -u "$WORK/orca-prefs" -d speech -d braille \
        --debug-file "$ORCA_LOG" >"$WORK/orca.out" 2>&1 &
    ORCA_PID=$!
    PIDS+=("$ORCA_PID")
    wait_for 60 orca_started || fail "Orca did not start: $(tail -5 "$WORK/orca.out")"
}

# Sets org.a11y.Status: IsEnabled always, ScreenReaderEnabled to $1.
set_screen_reader_enabled() {
    local value=$1
    dbus-send --session --type=method_call --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null
    dbus-send --session --type=method_call --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled \
        "variant:boolean:$value" >/dev/null
}

# Orca's log grows by some megabytes in a test: what is read of it is only
# what came after a mark, or its last part.
orca_log_size() { stat -c %s "$ORCA_LOG" 2>/dev/null || echo 0; }

# Orca's utterances since the mark, one a line, without the quotes.
mark_said() { ORCA_MARK=$(orca_log_size); }
said_since_mark() {
    tail -c "+$((ORCA_MARK + 1))" "$ORCA_LOG" | { grep -a "SPEECH OUTPUT: '" || true; } \
        | sed -E -e "s/^.*SPEECH OUTPUT: '(.*)' ?\{.*$/\1/" -e 's/ +$//'
}

# What Orca last took as the focus: it logs this each time it has finished
# with an event, after all it said for it, so the last lines of the log hold it.
orca_focus() {
    tail -c 65536 "$ORCA_LOG" | { grep -a -o 'EVENT MANAGER: locusOfFocus: .*' || true; } | tail -n 1
}

# A key held for a tenth of a second, as an operator's finger does. While Orca
# listens for keys, Qt's accessibility bridge keeps a copy of each key event
# until the registry has said whether Orca took it, and never frees the copy
# when the widget it was meant for has gone by then (a leak the sanitizer run
# reports): a key released at once, on a box that its press closes, would be
# meant for that box. (How long a finger rests on a key; nothing waits on it.)
KEY_HELD_SECONDS=0.1
hold_key() { xdotool keydown "$1" sleep "$KEY_HELD_SECONDS" keyup "$1"; }

# Keys typed one after the other without waiting for Orca between them: for
# passing over controls on the way to one that is listened to. Orca still
# takes the focus event of each control passed, in turn, but says only the
# one the focus rests on. None of the keys may close a box (see hold_key).
pass_keys() { xdotool key --delay 30 "$@"; }

# Sends one key as the operator would, then waits until Orca has followed the
# focus it moved (up to 3 s: a key that moves none, such as Space, waits that
# long). Orca skips a focus event whose object has lost the focus again by the
# time it reaches it, so a key pressed before then would go unheard.
orca_focus_moved_from() { [[ "$(orca_focus)" != "$1" ]]; }
press() {
    local before
    before=$(orca_focus)
    case $1 in
    # They close no box, so they need no finger's rest (see hold_key).
    Tab | shift+Tab) xdotool key "$1" ;;
    *) hold_key "$1" ;;
    esac
    wait_for 3 orca_focus_moved_from "$before" || true
}

# Sends a key that moves no focus (Space or Return acting where the focus is,
# a digit typed into a box): what it sent and what Orca said are then waited
# for by the caller.
press_here() { hold_key "$1"; }

# Waits until Orca has said a line matching this pattern since the mark, up
# to a minute: Orca takes every event in turn, and a busy machine slows it
# down (the memory window's opening alone brings it some 400).
said_lately() { said_since_mark | grep -q -- "$1"; }
wait_said() {
    local pattern=$1
    wait_for 60 said_lately "$pattern" && return 0
    fail "Orca did not say '$pattern'; it said: $(said_since_mark | tr '\n' '|')"
}

