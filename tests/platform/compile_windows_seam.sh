#!/usr/bin/env bash
# The Windows side of the platform seam, compiled with MinGW (Debian's cross
# compiler) so that it is known to build: each of its files, against the Qt
# Core headers it uses. Debian has no Qt for MinGW, so these are the host's
# headers (the same Qt version), and nothing is linked.
#   compile_windows_seam.sh <compiler> <source dir> <Qt include dirs, ':'-separated> <out dir>
# Through ccache where there is one: it answers only for the very same input.
set -euo pipefail
compiler=$1 source=$2 qt_includes=$3 out=$4
launcher=()
command -v ccache >/dev/null && launcher=(ccache)
includes=(-I"$source")
IFS=: read -r -a dirs <<< "$qt_includes"
for dir in "${dirs[@]}"; do includes+=(-I"$dir"); done
mkdir -p "$out"
status=0
for file in "$source"/platform/*_windows.cpp; do
    name=$(basename "$file" .cpp)
    if "${launcher[@]}" "$compiler" -std=c++20 -Wall -Wextra -Werror "${includes[@]}" \
        -c "$file" -o "$out/$name.o"; then
        echo "compiles: platform/$name.cpp"
    else
        echo "FAIL: platform/$name.cpp does not compile for Windows" >&2
        status=1
    fi
done
exit $status
