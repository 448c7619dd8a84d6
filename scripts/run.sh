#!/usr/bin/env bash
# Installs what is missing, builds and starts Quillard. Where the configured
# port has no radio behind it, a virtual TS-570 takes its place so every click
# lands on a radio; scripts/run-choice.sh decides that.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/run-choice.sh"

# Before anything is built: without a display there is nothing to show.
if ! have_display; then
    # The advice below needs xvfb-run.
    install_missing xvfb xauth
    echo "There is no display. Start Quillard from a desktop session, or over ssh -X," >&2
    echo "or try it in a virtual X server: xvfb-run -a bash $0 (see README.md)." >&2
    exit 1
fi

install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
build_quillard "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo

choose_radio
echo "$WHY"
RADIO_PID=
if [[ "$CHOICE" == virtual ]]; then
    echo "Starting the virtual TS-570 as Com$PORT ($CONFIG/com$PORT)."
    [[ -f "$CONFIG/qd.cfg" ]] || echo "Choose Com$PORT in the Communication Settings window to use it."
    "$BUILD/tools/virtual-radio/quillard-virtual-radio" --port "$PORT" >/dev/null &
    RADIO_PID=$!
    trap 'kill "$RADIO_PID" 2>/dev/null; wait "$RADIO_PID" 2>/dev/null || true' EXIT
    for _ in $(seq 50); do [[ -e "$CONFIG/com$PORT" ]] && break; sleep 0.1; done
fi

status=0
"$BUILD/src/quillard" || status=$?
exit $status
