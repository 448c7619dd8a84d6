#!/usr/bin/env bash
# Builds the memory-file, rigmem CSV, settings and schedule fuzz targets (the tree's
# QUILLARD_FUZZERS option: libFuzzer with the address and undefined behaviour
# sanitizers, linked with the layer libraries), then fuzzes each for a bounded
# time, starting from its committed seeds (fuzz/seeds/<target>/).
#   fuzz/run-fuzz.sh [seconds per target]      (default 60)
# Exits non-zero on the first finding, which is written to fuzz/findings/.
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

for name in "${targets[@]}"; do
    mkdir -p "$out/corpus-$name"
    echo "Fuzzing $name for $seconds s"
    "$out/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=5 \
        -print_final_stats=1 -artifact_prefix="$here/findings/$name-" \
        "$out/corpus-$name" "$here/seeds/$name"
done
