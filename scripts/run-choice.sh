# What scripts/run.sh decides before it starts Quillard: whether there is a
# display, which port Quillard will use, and whether a radio is behind that
# port or the virtual TS-570 should stand in. Sourced by run.sh; run on its
# own it prints the decision:
#
#   bash scripts/run-choice.sh
#   virtual 2                       first line: no-display, radio N or virtual N
#   Com1 is the serial port ...     second line: why, for the terminal
#
# Its inputs can be moved, so that the decision can be tried on made-up
# machines:
#   XDG_CONFIG_HOME          the settings folder is $XDG_CONFIG_HOME/quillard
#   QUILLARD_DEV_ROOT        instead of /dev
#   QUILLARD_SYS_ROOT        instead of /sys
#   QUILLARD_DISPLAY_CHECK   a command that succeeds when there is a display

CONFIG="${XDG_CONFIG_HOME:-$HOME/.config}/quillard"

# Whether Quillard can open a window: a Wayland or X display is named, and an
# X server that is named answers (when xdpyinfo is there to ask it).
have_display() {
    if [[ -n "${QUILLARD_DISPLAY_CHECK:-}" ]]; then
        bash -c "$QUILLARD_DISPLAY_CHECK"
        return
    fi
    [[ -n "${WAYLAND_DISPLAY:-}" ]] && return 0
    [[ -n "${DISPLAY:-}" ]] || return 1
    command -v xdpyinfo >/dev/null || return 0
    xdpyinfo >/dev/null 2>&1
}

# The port in qd.cfg (its first line), or nothing before the first run.
configured_port() {
    local first
    [[ -f "$CONFIG/qd.cfg" ]] || return 0
    first=$(head -n 1 "$CONFIG/qd.cfg" | tr -d '\r')
    [[ "$first" =~ ^[0-9]+$ ]] && (( 10#$first >= 1 )) && echo $((10#$first))
    return 0
}

# Whether a radio may be behind port $1: sets FOUND (radio or none) and WHY.
# Quillard's port N is <settings folder>/comN when that exists, otherwise
# /dev/ttyS<N-1>.
look_at_port() {
    local port=$1 dev="${QUILLARD_DEV_ROOT:-/dev}" sys="${QUILLARD_SYS_ROOT:-/sys}"
    local link="$CONFIG/com$port" tty="ttyS$((port - 1))"
    # Quillard uses the link whenever it is there, even one whose target is gone.
    if [[ -L "$link" || -e "$link" ]]; then
        FOUND=radio
        if [[ -L "$link" && ! -e "$link" ]]; then
            WHY="Com$port is $link, a link to $(readlink "$link"), which does not exist; Quillard will say so. Remove the link (rm $link) to try the virtual TS-570 instead."
        else
            WHY="Com$port is $link: Quillard uses it, no virtual TS-570."
        fi
        return
    fi
    if [[ ! -e "$dev/$tty" ]]; then
        FOUND=none
        WHY="Com$port has no radio: no link $link, and no device /dev/$tty."
        return
    fi
    # Linux has a ttyS node for every possible 8250 port; type 0 means no UART.
    local type=
    [[ -r "$sys/class/tty/$tty/type" ]] && type=$(tr -d ' \n' <"$sys/class/tty/$tty/type")
    if [[ "$type" == 0 ]]; then
        FOUND=none
        WHY="Com$port has no radio: no link $link, and /dev/$tty has no serial port hardware behind it."
    elif [[ "$type" =~ ^[0-9]+$ ]]; then
        FOUND=radio
        WHY="Com$port is the serial port /dev/$tty: Quillard uses it, no virtual TS-570."
    else
        FOUND=radio
        WHY="Com$port is /dev/$tty, and whether a serial port is behind it cannot be told: Quillard uses it, no virtual TS-570."
    fi
}

# Sets CHOICE (no-display, radio or virtual), PORT and WHY. With qd.cfg the
# port is the one it names; before the first run it is the first of Com1 to
# Com4 with no radio, which the operator is then told to choose.
choose_radio() {
    PORT=
    if ! have_display; then
        CHOICE=no-display
        WHY="There is no display."
        return
    fi
    local configured
    configured=$(configured_port)
    if [[ -n "$configured" ]]; then
        PORT=$configured
        look_at_port "$PORT"
        [[ "$FOUND" == none ]] && CHOICE=virtual || CHOICE=radio
        return
    fi
    local port reasons=()
    for port in 1 2 3 4; do
        look_at_port "$port"
        reasons+=("$WHY")
        if [[ "$FOUND" == none ]]; then
            PORT=$port
            CHOICE=virtual
            WHY="${reasons[*]}"
            return
        fi
    done
    PORT=1
    CHOICE=radio
    WHY="${reasons[*]}"
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    set -euo pipefail
    choose_radio
    echo "$CHOICE${PORT:+ $PORT}"
    echo "$WHY"
fi
