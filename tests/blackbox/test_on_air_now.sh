#!/usr/bin/env bash
# Frequencies > "On the Air Now..." in the real program, at a known UTC
# (Sunday 15 June 2025, 14:30:20): the first opening asks for the schedule
# with the real file dialog; the rows on the air and the status line; a filter
# typed in the search box; a click and Enter and Space tune, with the exact
# bytes at the radio; files that are not schedules (empty, another CSV,
# binary, a named pipe, 50 MB) are refused with messages naming them while
# the schedule stays; the choice is remembered in quillard.conf.
#
# The known UTC comes from a small library preloaded into Quillard alone
# (tests/tools/fakeutc.cpp): it holds the system's calendar (the realtime
# clock, which Qt's UTC reads) at the moment the test names, and warps the
# monotonic clock, which Qt's timers and Quillard's waits run on, only for
# the start-up's waits, as start_main_window does. So
# the program needs no hook of its own that an operator could set by chance.
# (libfaketime would do, but Debian 12's deadlocks in a program built with
# clang's AddressSanitizer, as the sanitizer run builds them.) The controls
# are found by keyboard and through the accessibility tree (on_air_now.py
# reads it over AT-SPI); every wait is for what is awaited.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/screenreader.sh"

: "${QUILLARD_FAKE_UTC_LIB:?set by CTest: the library that fakes the calendar}"
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || fail "python3-pyatspi is not installed"
READ=(/usr/bin/python3 "$(dirname "$0")/on_air_now.py")

start_x
radio_on_com1
start_accessibility_bus false

# One reader of the window for the whole test (on_air_now.py serve): ask
# <command> [<argument>...] puts one of its commands to it, and sets ANSWER to
# what it printed; the status is the command's.
mkfifo "$WORK/questions" "$WORK/answers"
"${READ[@]}" serve < "$WORK/questions" > "$WORK/answers" &
PIDS+=($!)
exec {QUESTIONS}>"$WORK/questions" {ANSWERS}<"$WORK/answers"
ask() {
    local line status=
    { printf '%s\t' "$@"; echo; } >&"$QUESTIONS"
    ANSWER=
    while IFS= read -r -t 30 line <&"$ANSWERS"; do
        if [[ $line == $'\x04'* ]]; then
            status=${line#$'\x04'}
            break
        fi
        ANSWER+=${ANSWER:+$'\n'}$line
    done
    [[ -n $status ]] || fail "the window's reader did not answer: $*"
    return "$status"
}

HEADER='kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;Stop:60;'
SCHEDULE="$WORK/sked-test.csv"
{
    printf '%s\r\n' "$HEADER"
    printf '%s\r\n' '153;1400-1500;;ROU;Radio Antena Satelor;R;ROU;;1;;'
    printf '%s\r\n' '5505;0000-2400;;IRL;Shannon Volmet;E;NAO;;91;;'
    printf '%s\r\n' '6070;1400-1500;;CAN;CFRX Toronto;E;NAm;;1;;'
    printf '%s\r\n' '9610;1400-1500;;ROU;Radio Romania International;E;WEu;/ROU-t;1;;'
    printf '%s\r\n' '9620;1500-1600;;ROU;Radio Romania International;F;WEu;t;1;;'
    printf '11780.5;1400-1500;Mo-Fr;B;R\xe1dio Nacional;P;SAm;;1;;\r\n'
    printf '%s\r\n' '96l0;1400-1500;;ROU;Misprint;E;WEu;;1;;'
} > "$SCHEDULE"
cat > "$WORK/rows-now" <<'ROWS'
5505 | Shannon Volmet | E | NAO | 0000-2400 |  | 
6070 | CFRX Toronto | E | NAm | 1400-1500 |  | 
9610 | Radio Romania International | E | WEu | 1400-1500 |  | /ROU-t
ROWS
cat > "$WORK/rows-romania" <<'ROWS'
9610 | Radio Romania International | E | WEu | 1400-1500 |  | /ROU-t
ROWS
STATUS="3 entries on the air at 14:30 UTC (Sunday 15 June 2025) in sked-test.csv. 1 outside the radio's range (500 kHz to 30 MHz) left out. 1 line could not be read: 8."

printf '1\r\n9600\r\n' > "$QUILLARD_CONFIG/qd.cfg"
# The start-up's waits pass faster too, as in start_main_window.
LD_PRELOAD=$QUILLARD_FAKE_UTC_LIB QUILLARD_FAKE_UTC=$(date -u -d '2025-06-15 14:30:20' +%s) \
    QUILLARD_CLOCK_WARP=$START_CLOCK_WARP "$QUILLARD_BIN" &
QUILLARD_PID=$!
PIDS+=($QUILLARD_PID)
WIN=$(wait_window "$MAIN_TITLE")

# Frequencies, then up from the first item past the last two ("Station
# Controls", "Tune to Frequency...") to "On the Air Now...".
xdotool windowfocus --sync "$WIN"
xdotool key --delay 150 alt+f Right Right Up Up Up Return
wait_window "On the Air Now" >/dev/null
# The first opening asks for the schedule.
wait_focus "$(wait_window "Open Schedule")"
xdotool type --delay 20 "$SCHEDULE"
xdotool key Return
wait_window_gone "Open Schedule"
ask rows-are "$WORK/rows-now" || fail "not the rows on the air at 14:30"
ask status-is "$STATUS" || fail "not the status line at 14:30"
grep -qx "file=$SCHEDULE" "$QUILLARD_CONFIG/quillard.conf" || fail "the schedule is not remembered"
# Opening the window and choosing the schedule sent nothing.
expect_bytes ''

# A filter: what is typed in the search box narrows the rows at each key.
ask where "Search station and site" || fail "nothing named 'Search station and site'"
read -r x y <<< "$ANSWER"
xdotool mousemove "$x" "$y" click 1
xdotool type --delay 50 "romania"
ask rows-are "$WORK/rows-romania" || fail "the search did not narrow the rows"

# A click on a row tunes: the mode, VFO A, the frequency, as the short-wave guide does.
ask where "Radio Romania International" || fail "nothing named 'Radio Romania International'"
read -r x y <<< "$ANSWER"
xdotool mousemove "$x" "$y" click 1
sent=$'MD5;\rFR0;\rFA00009610000;\r'
expect_bytes "$sent"

# Back to every row; the clicked one stays current. Up, then Enter; Up, then Space.
ask where "Search station and site" || fail "nothing named 'Search station and site'"
read -r x y <<< "$ANSWER"
xdotool mousemove "$x" "$y" click 1
xdotool key ctrl+a BackSpace
ask rows-are "$WORK/rows-now" || fail "the rows did not come back"
ask where "CFRX Toronto" || fail "nothing named 'CFRX Toronto'"
read -r x y <<< "$ANSWER"
xdotool mousemove "$x" "$y" click 1
sent+=$'MD5;\rFR0;\rFA00006070000;\r'
expect_bytes "$sent"
xdotool key Down
xdotool key Return
sent+=$'MD5;\rFR0;\rFA00009610000;\r'
expect_bytes "$sent"
xdotool key Up Up
xdotool key space
sent+=$'MD2;\rFR0;\rFA00005505000;\r'
expect_bytes "$sent"

# Files that are not schedules, chosen with File > Open Schedule... (Ctrl+O).
: > "$WORK/empty.csv"
printf 'Name,Call,Phone\nAnn,K1ABC,555-0100\n' > "$WORK/contacts.csv"
printf '\x7fELF\x02\x01\x01\x00\x00\x00' > "$WORK/program.csv"
mkfifo "$WORK/pipe.csv"
truncate -s 50M "$WORK/huge.csv"
advice=" Choose the season's EiBi schedule (sked-A25.csv, for example) with File > Open Schedule..."
refused() {
    local file=$1 want=$2 got
    xdotool key ctrl+o
    wait_focus "$(wait_window "Open Schedule")"
    xdotool key ctrl+a
    xdotool type --delay 20 "$file"
    xdotool key Return
    ask message || fail "no message for $file"
    got=$ANSWER
    [[ "$got" == "$want$advice" ]] || fail "for $file the message was: $got"
    xdotool key Return
    ask no-message || fail "the message for $file did not close"
    ask rows-are "$WORK/rows-now" || fail "the rows changed after $file"
    ask status-is "$STATUS" || fail "the status changed after $file"
}
refused "$WORK/empty.csv" "$WORK/empty.csv is not an EiBi schedule: it is empty."
refused "$WORK/contacts.csv" "$WORK/contacts.csv is not an EiBi schedule: line 1 should be EiBi's header (\"kHz:75;Time(UTC):93;Days:59;...\") or a schedule line, but it reads \"Name,Call,Phone\"."
refused "$WORK/program.csv" "$WORK/program.csv is not an EiBi schedule: line 1 should be EiBi's header (\"kHz:75;Time(UTC):93;Days:59;...\") or a schedule line, but it reads \"?ELF??????\"."
refused "$WORK/pipe.csv" "$WORK/pipe.csv is not a plain file (it is a pipe or a device), so it cannot be a schedule."
refused "$WORK/huge.csv" "$WORK/huge.csv is 52428800 bytes long, more than a schedule can be (at most 8388608 bytes; a season's schedule is about 1 MB), so it was not read."
grep -qx "file=$SCHEDULE" "$QUILLARD_CONFIG/quillard.conf" || fail "a refused file replaced the schedule remembered"
expect_bytes "$sent"

xdotool key Escape
wait_window_gone "On the Air Now"
kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS"
