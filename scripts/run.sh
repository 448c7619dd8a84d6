#!/usr/bin/env bash
# Installs what is missing, builds, puts the cue sounds in place, and starts
# Quillard; when no radio is linked as the configured port, a virtual TS-570
# takes its place so every click lands on a radio.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${BUILD_PACKAGES[@]}"
build_quillard

CONFIG="${XDG_CONFIG_HOME:-$HOME/.config}/quillard"
mkdir -p "$CONFIG"
for cue in "$ROOT"/assets/cues/*.wav; do
    [[ -e "$CONFIG/$(basename "$cue")" ]] || cp "$cue" "$CONFIG/"
done

if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    echo "There is no display. Start Quillard from a desktop session, or over ssh -X," >&2
    echo "or try it in a virtual X server: xvfb-run -a $0 (see README.md)." >&2
    exit 1
fi

# The port Quillard will use: the first line of qd.cfg, or 1 before the first run.
PORT=1
if [[ -f "$CONFIG/qd.cfg" ]]; then
    first=$(head -n 1 "$CONFIG/qd.cfg" | tr -d '\r')
    [[ "$first" =~ ^[0-9]+$ ]] && PORT=$first
fi

RADIO_PID=
if [[ ! -e "$CONFIG/com$PORT" ]]; then
    echo "No radio is linked as $CONFIG/com$PORT: starting the virtual TS-570 there."
    [[ -f "$CONFIG/qd.cfg" ]] || echo "Choose Com$PORT in the Communication Settings window to use it."
    "$BUILD/tools/virtual-radio/quillard-virtual-radio" --port "$PORT" >/dev/null &
    RADIO_PID=$!
    for _ in $(seq 50); do [[ -e "$CONFIG/com$PORT" ]] && break; sleep 0.1; done
fi

status=0
"$BUILD/src/quillard" || status=$?
[[ -n "$RADIO_PID" ]] && kill "$RADIO_PID" 2>/dev/null
exit $status
