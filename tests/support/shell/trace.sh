#!/usr/bin/env bash
# Where a test script's time goes. Sourced by a test script, it writes every
# command the script runs to <script>.trace (<script>-<name>.trace when
# sourced with a name) in the folder QUILLARD_TRACE (when that is set), each with the moment it began and
# the line of the test script it belongs to (the line of the call, for a
# command inside a function it called). Run as a program on such a file, it
# prints the time each line of the script took, the longest first.
#
#   QUILLARD_TRACE=/tmp/traces ctest -R blackbox_test_panel
#   bash tests/support/shell/trace.sh /tmp/traces/test_panel.trace [how many lines]

if [[ ${BASH_SOURCE[0]} != "$0" ]]; then
    if [[ -n "${QUILLARD_TRACE:-}" ]]; then
        mkdir -p "$QUILLARD_TRACE"
        exec {QUILLARD_TRACE_FD}>"$QUILLARD_TRACE/$(basename "$0" .sh)${1:+-$1}.trace"
        BASH_XTRACEFD=$QUILLARD_TRACE_FD
        PS4='+ ${EPOCHREALTIME} ${BASH_SOURCE[${#BASH_SOURCE[@]}-1]##*/}:$(( ${#BASH_LINENO[@]} > 1 ? BASH_LINENO[${#BASH_LINENO[@]}-2] : LINENO )) '
        set -x
    fi
    return 0
fi

# A line's time runs from its first command to the first command of another
# line; the script's own text for the line is shown beside it.
awk '
    !/^\++ [0-9]+\.[0-9]+ [^ ]+:[0-9]+ / { next }
    {
        time = $2; step = $3
        if (step != current) {
            if (current != "") spent[current] += time - began
            if (!(step in text)) { text[step] = $0; sub(/^\++ [^ ]+ [^ ]+ /, "", text[step]) }
            current = step; began = time
        }
        if (first == "") first = time
        last = time
    }
    END {
        if (current != "") spent[current] += last - began
        for (step in spent) printf "%8.3f  %-28s %.70s\n", spent[step], step, text[step]
        printf "%8.3f  %s\n", last - first, "from the first command to the last" > "/dev/stderr"
    }' "$1" | sort -rn | head -n "${2:-25}"
