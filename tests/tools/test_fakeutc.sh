#!/usr/bin/env bash
# The test clock the black-box tests preload into the program (fakeutc.cpp),
# in a small program that waits in poll and reads the monotonic clock as
# Qt's event loop does (clockwaits.cpp): the calendar held at the moment
# asked for; the warp's waiting passing faster for its seconds and at the
# real rate after them, on a clock that never goes back; a warp that waits
# for its file; none for the programs the warped one starts; and no warp at
# all when none is asked for.
#
#   test_fakeutc.sh <libfakeutc.so> <clockwaits>
set -euo pipefail
LIB=$1
WAITS=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Prints, for each wait of the given milliseconds in turn, the program's
# clock and the real time since its start (the realtime clock, which the
# warp leaves alone), in milliseconds: "<program> <real>".
waits() { LD_PRELOAD=$LIB "$WAITS" "$@"; }

# The calendar: held at the moment asked for, the realtime clock and time() alike.
[[ $(LD_PRELOAD=$LIB QUILLARD_FAKE_UTC=1750000000 date -u +%s) == 1750000000 ]] \
    || fail "the calendar is not held at QUILLARD_FAKE_UTC"
[[ $(LD_PRELOAD=$LIB QUILLARD_FAKE_UTC=1750000000 /bin/sh -c 'sleep 0.2; date -u +%s') == 1750000000 ]] \
    || fail "the calendar moved on"

# 20 times faster for 2 s: the four half-second waits that begin inside the
# warp take far less than their length, and the one after it its full length.
mapfile -t lines < <(QUILLARD_CLOCK_WARP=20:2 waits 500 500 500 500 500)
((${#lines[@]} == 5)) || fail "the program under the warp did not finish: ${lines[*]}"
read -r program real <<< "${lines[2]}"
((program >= 1500)) || fail "1.5 s of waits read $program ms on the program's clock"
((real < 1000)) || fail "1.5 s of waits in the warp took $real ms"
read -r program4 real4 <<< "${lines[3]}"
read -r program5 real5 <<< "${lines[4]}"
((program5 - program4 >= 500)) || fail "0.5 s after the warp read $((program5 - program4)) ms on the program's clock"
((real5 - real4 >= 490)) || fail "0.5 s of waiting after the warp took $((real5 - real4)) ms: the warp did not end"

# A warp that waits for its file: the waits before the file is there are
# real, the file comes during the second, and the two after it are warped.
QUILLARD_CLOCK_WARP=20:2:$WORK/start waits 300 500 500 500 > "$WORK/triggered" &
for _ in $(seq 100); do
    [[ -s $WORK/triggered ]] && break
    sleep 0.05 # until the first wait has ended
done
touch "$WORK/start"
wait $! || fail "the program with a warp waiting for a file failed"
mapfile -t lines < "$WORK/triggered"
read -r _ real1 <<< "${lines[0]}"
read -r program2 real2 <<< "${lines[1]}"
((real1 >= 290 && real2 - real1 >= 490)) || fail "waits before the warp's file were shortened: ${lines[*]}"
read -r program4 real4 <<< "${lines[3]}"
((program4 - program2 >= 1000 && real4 - real2 < 500)) \
    || fail "the warp did not start with its file: ${lines[*]}"

# The warp is the program's alone: the programs it starts inherit none.
[[ $(LD_PRELOAD=$LIB QUILLARD_CLOCK_WARP=20:2 /bin/sh -c 'echo "${QUILLARD_CLOCK_WARP-none}"') == none ]] \
    || fail "a program started by the warped one inherits its warp"

# Nothing asked, nothing warped.
read -r program real < <(waits 300)
((real >= 290)) || fail "a wait of 0.3 s without a warp took $real ms"
echo "PASS"
