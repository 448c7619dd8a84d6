#!/usr/bin/env bash
# Builds the memory-file, rigmem CSV, settings and schedule fuzz targets (the tree's
# QUILLARD_FUZZERS option: libFuzzer with the address and undefined behaviour
# sanitizers, linked with the layer libraries), then fuzzes each for a bounded
# time, starting from its committed seeds (fuzz/seeds/<target>/), as many
# side by side as there are cores.
#   fuzz/run-fuzz.sh [seconds per target]      (default 60)
# Exits non-zero when a target finds something (written to fuzz/findings/),
# once every target has run.
# What the fuzzer learns grows in the build folder, never in the seeds.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

seconds=${1:-60}
here="$ROOT/fuzz"
out=${QUILLARD_FUZZ_BUILD:-$ROOT/build-fuzz}
mkdir -p "$here/findings"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

targets=(memoryfile rigmemcsv settings schedule)
fuzzers=()
for name in "${targets[@]}"; do fuzzers+=("fuzz_$name"); done
build_quillard "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUILLARD_FUZZERS=ON --target "${fuzzers[@]}"

# Side by side, as many at once as there are cores; each one's output goes to
# its log, shown once it ends.
fuzz() {
    local name=$1
    "$out/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=5 \
        -print_final_stats=1 -artifact_prefix="$here/findings/$name-" \
        "$out/corpus-$name" "$here/seeds/$name" > "$out/fuzz-$name.log" 2>&1
}
declare -A running=()
failed=()
# Waits for one fuzzer to end, shows its log, and notes whether it found anything.
collect() {
    local pid status=0 name
    wait -n -p pid "${!running[@]}" || status=$?
    name=${running[$pid]}
    unset "running[$pid]"
    echo "--- $name (status $status)"
    if ((status == 0)); then
        grep -E '^(stat::|Done|INFO: Seed)' "$out/fuzz-$name.log" || true
    else
        tail -n 60 "$out/fuzz-$name.log"
        failed+=("$name")
    fi
}
slots=$(nproc)
for name in "${targets[@]}"; do
    mkdir -p "$out/corpus-$name"
    ((${#running[@]} < slots)) || collect
    echo "Fuzzing $name for $seconds s"
    fuzz "$name" &
    running[$!]=$name
done
while ((${#running[@]})); do collect; done
if ((${#failed[@]})); then
    echo "run-fuzz.sh: findings of ${failed[*]} are in $here/findings/" >&2
    exit 1
fi
