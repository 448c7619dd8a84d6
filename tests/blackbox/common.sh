# Shared by the black-box tests: each test starts the built program in its own
# X server (Xvfb) with its own empty settings directory, puts a pseudo-terminal
# where the program looks for port 1, and drives it with real clicks and keys
# (xdotool).
#
#   source "$(dirname "$0")/common.sh"
#   start_x                      # private X server on a free display
#   radio_on_com1                # pty linked as $QUILLARD_CONFIG/com1; bytes → $RADIO_BYTES
#   start_main_window            # qd.cfg for port 1 at 9600; the main window is up
#   click Form2 m20              # a click at the centre of the main window's control m20
#   expect_bytes $'FR0;\rFA00014000000;\r'
#   focus_window Form2           # the main window takes the keyboard
#   xdotool key ctrl+m
#   wait_focus "$(wait_window "Program Radio Memory")"   # before keys go to it
#
# Controls are named by their window's designer name (Form2, Form1, Form3,
# Form7, ...; the table in DEVELOPERS.md) and their own (m20, freq00,
# Command1): where each lies comes from the program's own layout
# (tests/tools/controlplaces.cpp, run once per test on its X server), never
# from copied coordinates. Nothing waits a fixed time: each step waits for what
# it needs (a window, the keyboard focus, the bytes), up to a limit that only
# says when to give up. A test that checks that nothing is sent within some
# time sleeps that time, and says so where it does.
set -euo pipefail

: "${QUILLARD_BINARY_DIR:?set by CTest}"
: "${QUILLARD_VERSION:?set by CTest, from project(VERSION)}"
# The main window's title runs the version's last two parts together.
IFS=. read -r major minor patch <<< "$QUILLARD_VERSION"
MAIN_TITLE="Kenwood Quillard Version $major.$minor$patch"
QUILLARD_BIN="$QUILLARD_BINARY_DIR/src/quillard"
CONTROL_PLACES="${QUILLARD_CONTROL_PLACES:-$QUILLARD_BINARY_DIR/tests/controlplaces}"
WORK=$(mktemp -d)
export XDG_CONFIG_HOME="$WORK/config"
export QUILLARD_CONFIG="$XDG_CONFIG_HOME/quillard"
mkdir -p "$QUILLARD_CONFIG"
# No sound card in CI: ALSA's default device is a null sink.
export ALSA_CONFIG_PATH="$WORK/asound.conf"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$ALSA_CONFIG_PATH"
# No session bus: without one set, Qt's accessibility bridge would start a
# dbus-daemon (dbus-launch --autolaunch) that outlives the test.
export DBUS_SESSION_BUS_ADDRESS=disabled:
RADIO_BYTES="$WORK/radio.bin"
PIDS=()

cleanup() {
    for pid in "${PIDS[@]}" ${PLACES_PID:-}; do kill "$pid" 2>/dev/null || true; done
    stop_xvfb
    [[ -n "${STALE_LOCK:-}" ]] && rm -f "$STALE_LOCK"
    wait 2>/dev/null || true
    # A killed Quillard leaves the lock file of the device it held; its
    # process id may come to another Quillard, which would then seem to hold it.
    if [[ -n "${QUILLARD_PID:-}" ]]; then
        grep -lx "$QUILLARD_PID" /run/lock/LCK..* 2>/dev/null | xargs -r rm -f || true
    fi
    [[ -n "${KEEP_WORK:-}" ]] || rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [[ -n "${DISPLAY:-}" ]] && command -v import >/dev/null; then
        import -window root "/tmp/blackbox-failure-$$.png" 2>/dev/null \
            && echo "screenshot: /tmp/blackbox-failure-$$.png" >&2
    fi
    # What a screen reader said, for the screen-reader tests.
    if [[ -s "$WORK/orca.log" ]]; then
        cp "$WORK/orca.log" "/tmp/blackbox-failure-$$-orca.log" \
            && echo "Orca's log: /tmp/blackbox-failure-$$-orca.log" >&2
    fi
    exit 1
}

# The X server is the one the benchmarks use too; waits are the scripts' one
# way to wait on a condition.
source "$(dirname "${BASH_SOURCE[0]}")/../support/shell/xserver.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/shell/wait.sh"

# Starts the X server, and on it, beside the test, the program that finds
# where the windows' controls lie (see place_of).
start_x() {
    start_xvfb "$WORK" || fail "no X server could be started"
    mkdir -p "$WORK/places-config"
    XDG_CONFIG_HOME="$WORK/places-config" DBUS_SESSION_BUS_ADDRESS=disabled: \
        "$CONTROL_PLACES" Form2 Form1 Form3 Form4 Form5 Form7 Form8 Form9 frmAbout StationControls \
        > "$WORK/places.part" 2> "$WORK/places.err" &
    PLACES_PID=$!
}

# The places found by start_x, once they are all there: PLACES["Form2 m20"]
# is "x y", TITLES[Form2] the window's title.
declare -A PLACES=() TITLES=()
read_places() {
    (( ${#TITLES[@]} )) && return 0
    [[ -n "${PLACES_PID:-}" ]] || fail "controls looked for before start_x"
    wait "$PLACES_PID" || fail "the controls' places could not be found: $(cat "$WORK/places.err")"
    PLACES_PID=
    local kind window rest control
    while read -r kind window rest; do
        if [[ $kind == window ]]; then
            TITLES[$window]=$rest
            continue
        fi
        control=${rest%% *}
        # A name given twice in one window names no one place.
        if [[ -n ${PLACES[$window $control]+set} ]]; then
            PLACES[$window $control]=ambiguous
        else
            PLACES[$window $control]=${rest#* }
        fi
    done < "$WORK/places.part"
    (( ${#TITLES[@]} )) || fail "controlplaces named no window: $(cat "$WORK/places.err")"
}

# Sets PLACE to "x y", the centre of control $2 of window $1 in that window.
place_of() {
    read_places
    PLACE=${PLACES[$1 $2]:-}
    [[ -n $PLACE ]] || fail "$1 has no control $2 that a click reaches"
    [[ $PLACE != ambiguous ]] || fail "$1 has more than one control named $2"
}

# Sets WINDOW to the id of window $1 (a designer name: Form2, Form1, ...),
# which is up; its title is the one the program gives it.
find_window() {
    read_places
    local title=${TITLES[$1]:-}
    [[ -n $title ]] || fail "no window $1"
    WINDOW=$(visible_window "$(sed 's/[][\.*^$?+(){}|]/\\&/g' <<< "$title")") \
        || fail "window $1 ('$title') is not up"
}

radio_on_com1() {
    : > "$RADIO_BYTES"
    socat -u "PTY,link=$QUILLARD_CONFIG/com1,raw,echo=0" "OPEN:$RADIO_BYTES,creat,append" &
    PIDS+=($!)
    wait_for 5 test -e "$QUILLARD_CONFIG/com1" || fail "socat made no pseudo-terminal"
    # Keep the terminal's other side open too, so socat does not end when
    # Quillard closes the port to hand it to another window.
    exec 9<>"$QUILLARD_CONFIG/com1"
}

# Prints a TCP port of 127.0.0.1 that nothing listens on.
free_port() {
    local port
    for port in $(shuf -i 20000-60000 -n 50); do
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return 0; }
    done
    fail "no free port on 127.0.0.1"
}

start_quillard() {
    "$QUILLARD_BIN" &
    QUILLARD_PID=$!
    PIDS+=($QUILLARD_PID)
}

# Prints the id of the visible window with exactly this title (a regular
# expression); status 1 when there is none, 2 when that could not be told.
# xdotool dies of an X error (BadWindow) when a window goes while it walks
# the tree, with the status it gives for "none": it is asked again, so a
# window going elsewhere never passes for this one gone.
visible_window() {
    local ids
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        if ids=$(xdotool search --onlyvisible --name "^$1\$" 2> "$WORK/search.err"); then
            echo "${ids%%$'\n'*}"
            return 0
        fi
        grep -q '^X Error' "$WORK/search.err" || return 1
    done
    return 2
}
has_window() { FOUND=$(visible_window "$1"); }
no_window() {
    local status=0
    visible_window "$1" > /dev/null || status=$?
    (( status == 1 ))
}

# Prints the id of the visible window with this exact title (a regular
# expression), waiting up to 20 s.
wait_window() {
    wait_for 20 has_window "$1" || fail "no window titled '$1'"
    echo "$FOUND"
}

# Waits up to 5 s for the window with this title to go away.
wait_window_gone() {
    wait_for 5 no_window "$1" || fail "the window '$1' did not close"
}

# The window with the keyboard focus is $1 (an id).
has_focus() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }

# Waits up to 5 s until window $1 (an id) has the keyboard: keys sent before
# then would go to the window that had it.
wait_focus() {
    [[ -n $1 ]] || fail "no window to give the keyboard to"
    wait_for 5 has_focus "$1" || fail "window $1 ($(xdotool getwindowname "$1" 2>/dev/null)) never took the keyboard"
}

# A left click at the centre of control $2 of window $1 (designer names:
# click Form2 m20). Two clicks at one control sooner than the double-click
# time make a double click, which a button takes as a press, a box as "select
# the word".
click() {
    place_of "$1" "$2"
    find_window "$1"
    # shellcheck disable=SC2086 # PLACE is "x y"
    xdotool mousemove --window "$WINDOW" $PLACE click 1
}

# Window $1 (a designer name) takes the keyboard, as a click on an empty part
# of it would give it, and the test waits until it has it.
focus_window() {
    find_window "$1"
    xdotool windowfocus "$WINDOW"
    wait_focus "$WINDOW"
}

# The radio has received exactly the bytes $1.
received() { cmp -s "$RADIO_BYTES" <(printf '%s' "$1"); }

# Waits up to 5 s until the bytes the radio received are exactly $1.
expect_bytes() {
    wait_for 5 received "$1" \
        || fail "radio received $(printf '%q' "$(cat "$RADIO_BYTES")"), expected $(printf '%q' "$1")"
}

# Starts Quillard with no settings file, answers the first-run message with
# Return and waits for the Communication Settings window: sets SETTINGS.
start_first_run() {
    start_quillard
    wait_focus "$(wait_window "Quillard")"
    xdotool key Return
    SETTINGS=$(wait_window "Communication Settings")
}

# Starts Quillard for port 1 at 9600 and waits for its main window: sets WIN.
start_main_window() {
    printf '1\r\n9600\r\n' > "$QUILLARD_CONFIG/qd.cfg"
    start_quillard
    WIN=$(wait_window "$MAIN_TITLE")
}
