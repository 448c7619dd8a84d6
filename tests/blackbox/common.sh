# Shared by the black-box tests: each test starts the built program in its own
# X server (Xvfb) with its own empty settings directory, puts a pseudo-terminal
# where the program looks for port 1, and drives it with real clicks (xdotool).
#
#   source "$(dirname "$0")/common.sh"
#   start_x                      # private X server on a free display
#   radio_on_com1                # pty linked as $QUILLARD_CONFIG/com1; bytes → $RADIO_BYTES
#   printf '1\r\n9600\r\n' > "$QUILLARD_CONFIG/qd.cfg"
#   start_quillard
#   win=$(wait_window "$MAIN_TITLE")
#   click_at "$win" 100 50       # client-area coordinates
#   expect_bytes $'FR0;\rFA00014000000;\r'
set -euo pipefail

: "${QUILLARD_BINARY_DIR:?set by CTest}"
: "${QUILLARD_VERSION:?set by CTest, from project(VERSION)}"
# The main window's title runs the version's last two parts together.
IFS=. read -r major minor patch <<< "$QUILLARD_VERSION"
MAIN_TITLE="Kenwood Quillard Version $major.$minor$patch"
QUILLARD_BIN="$QUILLARD_BINARY_DIR/src/quillard"
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
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
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
    exit 1
}

# The X server is the one the benchmarks use too.
source "$(dirname "${BASH_SOURCE[0]}")/../support/shell/xserver.sh"
start_x() { start_xvfb "$WORK" || fail "no X server could be started"; }

radio_on_com1() {
    : > "$RADIO_BYTES"
    socat -u "PTY,link=$QUILLARD_CONFIG/com1,raw,echo=0" "OPEN:$RADIO_BYTES,creat,append" &
    PIDS+=($!)
    for _ in $(seq 50); do
        if [[ -e "$QUILLARD_CONFIG/com1" ]]; then
            # Keep the terminal's other side open too, so socat does not end
            # when Quillard closes the port to hand it to another window.
            exec 9<>"$QUILLARD_CONFIG/com1"
            return 0
        fi
        sleep 0.1
    done
    fail "socat made no pseudo-terminal"
}

start_quillard() {
    "$QUILLARD_BIN" &
    QUILLARD_PID=$!
    PIDS+=($QUILLARD_PID)
}

# Prints the id of the visible window with this exact title, waiting up to 20 s.
wait_window() {
    local title=$1 id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "no window titled '$title'"
}

click_at() {
    local win=$1 x=$2 y=$3
    xdotool mousemove --window "$win" "$x" "$y" click 1
    sleep 0.3
}

# Waits up to 5 s until the bytes the radio received are exactly $1.
expect_bytes() {
    local want=$1 got
    for _ in $(seq 50); do
        got=$(cat "$RADIO_BYTES")
        [[ "$got" == "$want" ]] && return 0
        sleep 0.1
    done
    fail "radio received $(printf '%q' "$got"), expected $(printf '%q' "$want")"
}

# Starts Quillard with no settings file, answers the first-run message with
# Return and waits for the Communication Settings window: sets SETTINGS.
start_first_run() {
    start_quillard
    wait_window "Quillard" >/dev/null
    sleep 0.5
    xdotool key Return
    SETTINGS=$(wait_window "Communication Settings")
    sleep 0.5
}

# Starts Quillard for port 1 at 9600 and waits for its main window: sets WIN
# and MENU (the menu bar's height; panel coordinates are below it).
start_main_window() {
    printf '1\r\n9600\r\n' > "$QUILLARD_CONFIG/qd.cfg"
    start_quillard
    WIN=$(wait_window "$MAIN_TITLE")
    # The window (undecorated in this X server) is the menu bar plus the 432-pixel panel.
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    MENU=$((HEIGHT - 432))
    (( MENU >= 0 && MENU < 60 )) || fail "unexpected window height $HEIGHT"
}

# A click at panel coordinates of the main window.
click_panel() { click_at "$WIN" "$1" $(( $2 + MENU )); }

# Waits up to 5 s for the window with this title to go away.
wait_window_gone() {
    local title=$1
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the window '$title' did not close"
}
