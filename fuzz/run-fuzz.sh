#!/usr/bin/env bash
# Builds the memory-file, rigmem CSV and settings readers with libFuzzer and the address
# and undefined behaviour sanitizers, then fuzzes each for a bounded time,
# starting from its committed seeds (fuzz/seeds/<target>/).
#   fuzz/run-fuzz.sh [seconds per target]      (default 60)
# Exits non-zero on the first finding, which is written to fuzz/findings/.
# What the fuzzer learns grows in the build folder, never in the seeds.
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${QUILLARD_FUZZ_BUILD:-$root/build-fuzz}
mkdir -p "$out" "$here/findings"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

# fuzz_target <name> <source under src/>...: builds fuzz/fuzz_<name>.cpp with them.
build_target() {
    local name=$1
    shift
    local sources=()
    for source in "$@"; do sources+=("$root/src/$source"); done
    clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined \
        -I"$root/src" $(pkg-config --cflags Qt6Core) \
        "$here/fuzz_$name.cpp" "${sources[@]}" \
        $(pkg-config --libs Qt6Core) -o "$out/fuzz_$name"
}

run_target() {
    local name=$1
    mkdir -p "$out/corpus-$name"
    echo "Fuzzing $name for $seconds s"
    "$out/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=5 \
        -print_final_stats=1 -artifact_prefix="$here/findings/$name-" \
        "$out/corpus-$name" "$here/seeds/$name"
}

build_target memoryfile memory/memoryfile.cpp memory/sheetfileio.cpp
build_target rigmemcsv memory/rigmemcsv.cpp memory/memoryfile.cpp memory/sheetfileio.cpp \
    radio/catcommand.cpp
build_target settings session/settingsformat.cpp
run_target memoryfile
run_target rigmemcsv
run_target settings
