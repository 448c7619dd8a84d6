#!/usr/bin/env bash
# The CW keyer against the virtual radio, by keyboard alone: the mode button
# CW, Station Controls' speed, a typed line on Enter. The radio receives
# exactly MD3, KS and the KY texts, cut at word boundaries, in order; its
# keyer keys the message whole and never logs an OVERFLOW, and runs empty
# between texts: none arrives before the one before is keyed. Then the same
# through Hamlib's rigctld, with a second program polling it all along: 0
# errors.
#
# KEYER_WPM and KEYER_MESSAGE give another speed and message (the 60
# characters at 25 wpm, say); the default keeps the test short. With
# KEEP_WORK=1 the radio's log stays in the work folder, each RX line with
# the moment its text arrived.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/shared_radio.sh"

WPM=${KEYER_WPM:-60}
MESSAGE=${KEYER_MESSAGE:-TEST TEST TEST TEST TEST TEST}

# The KY texts the radio must receive, each padded to 24 characters, cut
# between words, the blank between two texts starting the second.
EXPECTED=${KEYER_EXPECTED:-'KY TEST TEST TEST TEST TEST; KY  TEST                   ; '}
[[ -z ${KEYER_MESSAGE:-} || -n ${KEYER_EXPECTED:-} ]] || fail "KEYER_MESSAGE needs KEYER_EXPECTED"

# What the radio's keyer keyed, its runs in order, the blank that starts a
# text kept as the word gap it is.
CW_FROM=0 # the radio's log lines before this program's message
keyed() {
    tail -n +$((CW_FROM + 1)) "$WORK/vradio.log" | sed -n 's/^CW [^ ]* [^ ]* \(- \)\{0,1\}//p' | tr -d '\n'
}
keyed_all() { [[ "$(keyed)" == "$MESSAGE" ]]; }

# Tells the radio the mode, the speed and the message through Quillard's
# windows; the commands so far are $1.
send_message() {
    local before=$1
    click Form2 Option2 # CW
    expect_commands "${before}MD3; "
    focus_window Form2
    xdotool key ctrl+s
    wait_focus "$(wait_window "Station Controls")"
    xdotool key alt+w ctrl+a
    xdotool type "$WPM"
    xdotool key Return
    expect_commands "${before}MD3; KS$(printf '%03d' "$WPM"); "
    xdotool key ctrl+k
    xdotool type "$MESSAGE"
    CW_FROM=$(wc -l < "$WORK/vradio.log")
    xdotool key Return
    # The texts go out as the radio keys them: as long as the message lasts.
    local want="${before}MD3; KS$(printf '%03d' "$WPM"); ${EXPECTED}"
    wait_for 120 commands_are "$want" || fail "the radio received '$(commands)', expected '$want'"
    wait_for 120 keyed_all || fail "the radio keyed '$(keyed)', expected '$MESSAGE'"
    # The keyer ran empty before each next text arrived: one run per text.
    local texts runs
    texts=$(grep -o 'KY ' <<< "$EXPECTED" | wc -l)
    runs=$(tail -n +$((CW_FROM + 1)) "$WORK/vradio.log" | grep -c '^CW ' || true)
    (( runs == texts )) || fail "$texts texts were keyed in $runs runs: one came before the radio had keyed the one before"
    ! grep -q '^OVERFLOW ' "$WORK/vradio.log" \
        || fail "the radio's keyer overflowed: $(grep '^OVERFLOW ' "$WORK/vradio.log")"
}

VRADIO="$QUILLARD_BINARY_DIR/tools/virtual-radio/quillard-virtual-radio"
"$VRADIO" --no-window --link "$WORK/radio" > "$WORK/vradio.log" 2>&1 &
PIDS+=($!)
start_x
relay_to_radio
# The relay's terminal stays open between the two programs that use it.
exec 8<>"$WORK/rigside"

# Quillard on the radio's line.
ln -s "$(readlink -f "$WORK/rigside")" "$QUILLARD_CONFIG/com1"
start_main_window
send_message ''
kill -s TERM "$QUILLARD_PID"
wait "$QUILLARD_PID" || true
direct=$(commands)

# The same through rigctld, another program polling it meanwhile.
start_rigctld -C serial_handshake=Hardware
start_poller
printf 'via=rigctld\nhost=127.0.0.1\nport=%s\n' "$port" > "$QUILLARD_CONFIG/com1.conf"
start_main_window
send_message "$direct"
# When each text reached the radio (on the line, then through rigctld).
grep -E '^RX .* (KS|KY)' "$WORK/vradio.log" || true

rounds=$(wc -l < "$WORK/poll.rounds")
(( rounds >= 5 )) || fail "the other program polled only $rounds times"
[[ ! -s "$WORK/poll.errors" ]] || fail "the other program saw errors: $(head -5 "$WORK/poll.errors")"
kill -0 "$QUILLARD_PID" || fail "Quillard ended"
echo "PASS (CW at $WPM wpm on the line and through rigctld, no overflow; $rounds rounds of f m t v, no error)"
