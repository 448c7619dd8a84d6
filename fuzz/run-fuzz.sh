#!/usr/bin/env bash
# Builds the memory-file reader with libFuzzer and the address and undefined
# behaviour sanitizers, then fuzzes it for a bounded time.
#   fuzz/run-fuzz.sh [seconds]      (default 60)
# Findings are written to fuzz/findings/; the corpus grows in fuzz/corpus/.
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${QUILLARD_FUZZ_BUILD:-$root/build-fuzz}
mkdir -p "$out" "$here/corpus" "$here/findings"

# A few ordinary files to start from.
printf '"2840000","usb"\r\n""," "\r\n' > "$here/corpus/quoted.mem"
printf '2840000,usb\n0700000 , LSB\n' > "$here/corpus/unquoted.txt"
printf '"a""b","c,d"\r"x' > "$here/corpus/escaped.mem"

clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined \
    -I"$root/src" $(pkg-config --cflags Qt6Core) \
    "$here/fuzz_memoryfile.cpp" "$root/src/memory/memoryfile.cpp" \
    $(pkg-config --libs Qt6Core) -o "$out/fuzz_memoryfile"

"$out/fuzz_memoryfile" -max_total_time="$seconds" -max_len=4096 -timeout=5 \
    -artifact_prefix="$here/findings/" "$here/corpus"
