#!/usr/bin/env bash
# What the scripts say when they cannot install missing packages: the exact
# packages and a command that installs them, instead of a shell error. Stub
# commands on the PATH play a user without sudo, one whose sudo fails, and
# root with a failing apt-get; nothing is installed.
set -euo pipefail

: "${QUILLARD_SOURCE_DIR:?set by CTest}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0

# stubs DIR UID SUDO(yes/fails/none) APT(ok/fails)
stubs() {
    local dir=$1 uid=$2 sudo=$3 apt=$4
    mkdir -p "$dir"
    for tool in bash env grep cat dirname; do ln -sf "$(command -v "$tool")" "$dir/$tool"; done
    printf '#!/bin/sh\necho %s\n' "$uid" >"$dir/id"
    # Nothing is installed.
    printf '#!/bin/sh\nexit 1\n' >"$dir/dpkg-query"
    if [[ $apt == ok ]]; then
        printf '#!/bin/sh\necho "apt-get $*" >>"%s/apt.log"\n' "$dir" >"$dir/apt-get"
    else
        printf '#!/bin/sh\necho "E: Could not open lock file" >&2\nexit 100\n' >"$dir/apt-get"
    fi
    case $sudo in
        yes) printf '#!/bin/sh\nexec "$@"\n' >"$dir/sudo" ;;
        fails) printf '#!/bin/sh\necho "sudo: a password is required" >&2\nexit 1\n' >"$dir/sudo" ;;
    esac
    chmod +x "$dir"/*
}

# expect "what" DIR STATUS "text"...: runs install_missing xvfb xauth with only
# the stubs on the PATH; the exit status and every text must match.
expect() {
    local what=$1 dir=$2 want_status=$3 out status=0
    shift 3
    out=$(PATH="$dir" bash -c 'source "$1/scripts/common.sh"; install_missing xvfb xauth' \
        _ "$QUILLARD_SOURCE_DIR" 2>&1) || status=$?
    if [[ $status -ne $want_status ]]; then
        echo "FAIL: $what: exit status $status, expected $want_status: $out" >&2
        failures=$((failures + 1))
        return
    fi
    local text
    for text in "$@"; do
        if [[ "$out" != *"$text"* ]]; then
            echo "FAIL: $what: no '$text' in: $out" >&2
            failures=$((failures + 1))
        fi
    done
    if [[ "$out" == *"command not found"* ]]; then
        echo "FAIL: $what: a shell error reached the user: $out" >&2
        failures=$((failures + 1))
    fi
}

stubs "$WORK/nosudo" 1000 none ok
expect "a user without sudo" "$WORK/nosudo" 1 \
    "needed and could not be installed: xvfb xauth" \
    "su -c 'apt-get install xvfb xauth'"
[[ ! -e "$WORK/nosudo/apt.log" ]] || { echo "FAIL: apt-get ran without root" >&2; failures=$((failures + 1)); }

stubs "$WORK/sudofails" 1000 fails ok
expect "a user whose sudo fails" "$WORK/sudofails" 1 \
    "su -c 'apt-get install xvfb xauth'"

stubs "$WORK/sudo" 1000 yes ok
expect "a user with sudo" "$WORK/sudo" 0 "Installing: xvfb xauth"
grep -q "install -y -qq --no-install-recommends xvfb xauth" "$WORK/sudo/apt.log" \
    || { echo "FAIL: sudo apt-get install did not run" >&2; failures=$((failures + 1)); }

stubs "$WORK/rootfails" 0 none fails
expect "root, apt-get fails" "$WORK/rootfails" 1 \
    "needed and could not be installed: xvfb xauth" "    apt-get install xvfb xauth"

if (( failures > 0 )); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install advice: all checks passed"
