#!/usr/bin/env bash
# Prints, for thirty keys an operator presses with Orca running, what Orca
# said and what the radio received, as a Markdown table. Not a test: a
# measurement (QUILLARD_BINARY_DIR=build bash tests/blackbox/screenreader_tour.sh).
# QUILLARD_TOUR_KEYS="Tab space" presses other keys. QUILLARD_SAFE_KEYS=1 turns on the menu setting for safe keyboard navigation
# in the settings file first.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/screenreader.sh"

start_x
radio_on_com1
start_screen_reader
if [[ -n "${QUILLARD_SAFE_KEYS:-}" ]]; then
    printf '[Keyboard]\nsafeNavigation=true\n' > "$QUILLARD_CONFIG/quillard.conf"
fi
mark_said
start_main_window
wait_said '^VFO A\.$'

if [[ -n "${QUILLARD_TOUR_KEYS:-}" ]]; then
    read -r -a keys <<<"$QUILLARD_TOUR_KEYS"
else
    keys=(Tab Tab Tab shift+Tab shift+Tab shift+Tab)
    for _ in $(seq 14); do keys+=(shift+Tab); done
    keys+=(space space)
    for _ in $(seq 14); do keys+=(shift+Tab); done
    keys+=(space alt+f Right Right Right Escape Escape)
fi

echo "| # | key | Orca said | radio received |"
echo "|---|---|---|---|"
n=0
for key in "${keys[@]}"; do
    n=$((n + 1))
    mark_said
    before=$(stat -c %s "$RADIO_BYTES")
    press "$key"
    # What is said and sent within 0.4 s of Orca following the key belongs
    # to the key: the table's measure.
    sleep 0.4 # what the key brings within 0.4 s is measured
    said=$(said_since_mark | paste -sd '/' | sed -e 's#/# / #g' -e 's/|/\\|/g')
    got=$(tail -c "+$((before + 1))" "$RADIO_BYTES" | tr '\r' ' ')
    echo "| $n | $key | $said | $got |"
done
