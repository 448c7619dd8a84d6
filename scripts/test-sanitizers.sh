#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer
# (the tree's QUILLARD_SANITIZERS option; clang, Debug, in its own build
# folder) and runs it. Any report fails the
# run: ASan and UBSan stop a program at the first one, LeakSanitizer reports
# at exit, and every report is also written to a file, so one from a program
# a test runs in the background (the black-box tests' Quillard) fails it too.
# Leaks inside system libraries are suppressed in sanitizers/lsan.supp.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
    "${SANITIZER_PACKAGES[@]}"

SANITIZER_BUILD="${QUILLARD_SANITIZER_BUILD_DIR:-$ROOT/build-sanitizers}"
# The benchmarks are built (and so kept compiling) by the plain build.
build_quillard "$SANITIZER_BUILD" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DQUILLARD_SANITIZERS=ON -DQUILLARD_BENCHMARKS=OFF

reports="$SANITIZER_BUILD/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"

status=0
# The checks of the build itself (label build_only: the layering probes and
# the Windows seam's compile) run none of the tree's programs, so a sanitizer
# has nothing to see in them; the plain build runs them.
(cd "$SANITIZER_BUILD" && ctest --output-on-failure -j2 -LE build_only) || status=$?
if compgen -G "$reports/*" >/dev/null; then
    echo "Sanitizer reports:" >&2
    cat "$reports"/* >&2
    status=1
fi
exit $status
