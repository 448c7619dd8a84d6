# Waiting on a condition, for the scripts that drive programs from outside:
# the condition is asked again every 50 ms until it holds, so a wait lasts as
# long as what it waits for, and its limit only says when to give up.
#
#   source tests/support/shell/wait.sh
#   wait_for <seconds> <command> [<argument>...]   # 0 once the command succeeds, 1 at the limit
#
# The limit is whole seconds.

wait_for() {
    local limit=$1 deadline
    shift
    [[ $limit =~ ^[0-9]+$ ]] || { echo "wait_for: a limit in whole seconds, not '$limit'" >&2; return 2; }
    deadline=$(( ${EPOCHREALTIME//[!0-9]/} + limit * 1000000 ))
    while :; do
        "$@" && return 0
        (( ${EPOCHREALTIME//[!0-9]/} < deadline )) || return 1
        sleep 0.05
    done
}
