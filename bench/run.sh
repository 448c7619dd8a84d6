#!/usr/bin/env bash
# Builds Quillard and its benchmarks, then runs each benchmark in an X server
# of its own (Xvfb) and prints its figures. Benchmarks print figures; none of
# them passes or fails on a time.
#
#   bash bench/run.sh [--no-build] [--quick] [NAME...]
#   NAME: resident openings startup link panel memory_write share schedule (all by default)
#   --quick: few rounds, openings and clicks, to see that the benchmarks run
#   (the figures then mean little)
#
# QUILLARD_BUILD_DIR chooses the build folder (build/ by default);
# QUILLARD_JOBS the parallel build jobs.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

ALL=(resident openings startup link panel memory_write share schedule)
build=yes
quick=no
names=()
for arg in "$@"; do
    case "$arg" in
        --no-build) build=no ;;
        --quick) quick=yes ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        *)
            [[ " ${ALL[*]} " == *" $arg "* ]] || { echo "unknown benchmark: $arg (one of: ${ALL[*]})" >&2; exit 2; }
            names+=("$arg") ;;
    esac
done
[[ ${#names[@]} -gt 0 ]] || names=("${ALL[@]}")

if [[ $build == yes ]]; then
    install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    targets=(quillard bare_window)
    for name in "${names[@]}"; do targets+=("bench_$name"); done
    build_quillard "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo --target "${targets[@]}"
fi

WORK=$(mktemp -d /tmp/quillard-bench-run.XXXXXX)
source "$ROOT/tests/support/shell/xserver.sh"
trap 'stop_xvfb; rm -rf "$WORK"' EXIT
# As a desktop session has it (Qt warns without one).
mkdir -m 700 "$WORK/runtime"
export XDG_RUNTIME_DIR="$WORK/runtime"

# No session bus: Qt's accessibility bridge would otherwise start a
# dbus-daemon in every process, and it would outlive the benchmark.
export DBUS_SESSION_BUS_ADDRESS=disabled:
buses_before=$(pgrep -c -x dbus-daemon || true)

echo "Quillard benchmarks, $(git -C "$ROOT" describe --always --dirty 2>/dev/null || echo '?'), $(nproc) processors, $(date -u '+%Y-%m-%d %H:%M UTC')"
declare -A QUICK=([resident]="--rounds 1" [openings]="--warm 2 --count 20"
                  [startup]="--rounds 3" [link]="--clicks 30 --enters 30 --idle-seconds 3"
                  [share]="--clicks 30" [schedule]="--rounds 3")
status=0
for name in "${names[@]}"; do
    args=()
    [[ $quick == yes ]] && read -r -a args <<< "${QUICK[$name]:-}"
    program="$BUILD/bench/bench_$name"
    echo
    echo "== $name"
    if [[ ! -x "$program" ]]; then
        echo "not built: $program (needs libxtst-dev and libxdamage-dev)"
        status=1
        continue
    fi
    start_xvfb "$WORK" || { echo "no X server could be started" >&2; exit 1; }
    "$program" "${args[@]}" || { echo "bench_$name ended with status $?"; status=1; }
    stop_xvfb
done

buses_after=$(pgrep -c -x dbus-daemon || true)
if (( buses_after > buses_before )); then
    echo
    echo "warning: $((buses_after - buses_before)) dbus-daemon process(es) more than before the run"
fi
exit $status
