#!/usr/bin/env bash
# The installed program, as a package lays it out: installed into a DESTDIR
# of its own and started from there with an empty settings folder, it goes
# through the first run to the main window, and the "Online" cue heard on the
# way (ALSA's file plugin keeps its samples) is the shipped Online.wav, not the
# alert. A recording of the operator's own in the settings folder wins.
source "$(dirname "$0")/common.sh"

DEST="$WORK/dest"
DESTDIR="$DEST" "$QUILLARD_CMAKE" --install "$QUILLARD_BINARY_DIR" --prefix /usr \
    --component quillard >/dev/null || fail "cmake --install failed"
QUILLARD_BIN="$DEST/usr/bin/quillard"
[[ -x "$QUILLARD_BIN" ]] || fail "no installed program"
# Where the installed program finds its data, as /usr/share would be.
export XDG_DATA_DIRS="$DEST/usr/share"
export XDG_DATA_HOME="$WORK/data-home"

CAPTURE="$WORK/played.raw"
printf 'pcm.!default { type file slave.pcm { type null } file "%s" format "raw" }\n' \
    "$CAPTURE" > "$ALSA_CONFIG_PATH"

# Passes when what was played ($CAPTURE) starts with the samples of the cue
# file and holds nothing after them but the device's padding of its last period.
expect_played() {
    local cue=$1 expected="$WORK/expected.raw" size
    "$QUILLARD_WAV_TOOL" samples "$cue" > "$expected" || fail "cannot read $cue"
    size=$(stat -c %s "$expected")
    (( size > 0 )) || fail "$cue holds no samples"
    played_at_least() { [[ -s "$CAPTURE" ]] && (( $(stat -c %s "$CAPTURE") >= $1 )); }
    wait_for 5 played_at_least "$size" || true
    cmp -s -n "$size" "$expected" "$CAPTURE" || fail "what was played is not $cue"
    [[ -z "$(tail -c +$((size + 1)) "$CAPTURE" | tr -d '\0' | head -c 1)" ]] \
        || fail "more than $cue was played"
}

# The operator's own recording, in the settings folder, wins: a second
# installed Quillard, with a settings file and a recording of its own, starts
# at once in an X server of its own, beside the first run below.
OWN="$WORK/own"
mkdir -p "$OWN/config/quillard"
printf '1\r\n9600\r\n' > "$OWN/config/quillard/qd.cfg"
"$QUILLARD_WAV_TOOL" tone "$OWN/config/quillard/Online.wav" || fail "cannot write a recording"
: > "$OWN/radio.bin"
socat -u "PTY,link=$OWN/config/quillard/com1,raw,echo=0" "OPEN:$OWN/radio.bin,creat,append" &
PIDS+=($!)
wait_for 5 test -e "$OWN/config/quillard/com1" || fail "socat made no pseudo-terminal"
printf 'pcm.!default { type file slave.pcm { type null } file "%s" format "raw" }\n' \
    "$OWN/played.raw" > "$OWN/asound.conf"
start_xvfb "$OWN" || fail "no second X server could be started"
PIDS+=($XVFB_PID)
own_display=$DISPLAY
XVFB_PID=
XDG_CONFIG_HOME="$OWN/config" ALSA_CONFIG_PATH="$OWN/asound.conf" LD_PRELOAD=$QUILLARD_FAKE_UTC_LIB \
    QUILLARD_CLOCK_WARP=$START_CLOCK_WARP "$QUILLARD_BIN" &
PIDS+=($!)

start_x
radio_on_com1

# First run: the welcome box, the settings window, Com1 and 9600, Save.
start_first_run
click Form3 Com1
click Form3 Baud96
click Form3 Command1            # Save
wait_window "$MAIN_TITLE" >/dev/null
expect_played "$DEST/usr/share/quillard/cues/Online.wav"
expect_bytes ""

# The second one, with the operator's recording.
DISPLAY=$own_display wait_window "$MAIN_TITLE" >/dev/null
CAPTURE="$OWN/played.raw" expect_played "$OWN/config/quillard/Online.wav"
RADIO_BYTES="$OWN/radio.bin" expect_bytes ""
echo "PASS: installed program with its shipped cues"
