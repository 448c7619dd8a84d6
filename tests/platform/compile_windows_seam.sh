#!/usr/bin/env bash
# The Windows side of the platform seam, compiled with MinGW (Debian's cross
# compiler) so that it is known to build: each of its files, against the Qt
# Core headers it uses. Debian has no Qt for MinGW, so these are the host's
# headers (the same Qt version), and the program is not linked. What the link
# would find missing is looked for instead: every function platform.h
# declares must be defined by one of the Windows objects (MinGW's nm), and
# -Wmissing-declarations turns a definition whose signature strays from its
# declaration into an error. Last, the check is seen to catch what it is for:
# the same objects against a header that declares one function more must fail.
#   compile_windows_seam.sh <compiler> <nm> <source dir> <Qt include dirs, ':'-separated> <out dir>
# Through ccache where there is one: it answers only for the very same input.
set -euo pipefail
compiler=$1 nm=$2 source=$3 qt_includes=$4 out=$5
launcher=()
command -v ccache >/dev/null && launcher=(ccache)
includes=(-I"$source")
IFS=: read -r -a dirs <<< "$qt_includes"
for dir in "${dirs[@]}"; do includes+=(-I"$dir"); done
rm -rf "$out"
mkdir -p "$out"
status=0
for file in "$source"/platform/*_windows.cpp; do
    name=$(basename "$file" .cpp)
    if "${launcher[@]}" "$compiler" -std=c++20 -Wall -Wextra -Wmissing-declarations -Werror \
        "${includes[@]}" -c "$file" -o "$out/$name.o"; then
        echo "compiles: platform/$name.cpp"
    else
        echo "FAIL: platform/$name.cpp does not compile for Windows" >&2
        status=1
    fi
done
[[ $status -eq 0 ]] || exit $status

# The names of the functions a header declares in namespace Platform, one a
# line: statements at the namespace's own level that name a function, less
# the inline ones (defined in the header) and the types.
declared_functions() {
    awk '
        { sub(/\/\/.*/, ""); text = text " " $0 }
        END {
            opening = "namespace Platform {"
            at = index(text, opening)
            if (at == 0) exit 1
            text = substr(text, at + length(opening))
            depth = 0
            statement = ""
            for (i = 1; i <= length(text); i++) {
                c = substr(text, i, 1)
                if (c == "{") {
                    depth++
                } else if (c == "}") {
                    if (depth == 0) break
                    if (--depth == 0) {
                        # A body ends a statement: struct, enum or inline function.
                        statement = ""
                    }
                } else if (depth == 0 && c == ";") {
                    if (statement !~ /^[ \t]*(inline|using|struct|enum|class|template|extern)[ \t]/ &&
                        match(statement, /[A-Za-z_][A-Za-z0-9_]*[ \t]*\(/))
                        print substr(statement, RSTART, RLENGTH - 1)
                    statement = ""
                } else if (depth == 0) {
                    statement = statement c
                }
            }
        }' "$1" | tr -d ' \t' | sort -u
}

# The functions of namespace Platform the objects define (external, in code).
defined_functions() {
    "$nm" -C --defined-only "$@" | sed -n 's/^[0-9a-f]* T Platform::\([A-Za-z_][A-Za-z0-9_]*\)(.*/\1/p' | sort -u
}

# Declared in the header and defined by none of the objects, one a line.
undefined_functions() {
    local header=$1
    shift
    comm -23 <(declared_functions "$header") <(defined_functions "$@")
}

declared=$(declared_functions "$source/platform/platform.h")
if [[ -z "$declared" ]]; then
    echo "FAIL: no function declarations found in platform/platform.h" >&2
    exit 1
fi
missing=$(undefined_functions "$source/platform/platform.h" "$out"/*.o)
if [[ -n "$missing" ]]; then
    while read -r name; do
        echo "FAIL: Platform::$name is declared in platform/platform.h but no *_windows.cpp defines it: the Windows program would not link" >&2
    done <<< "$missing"
    exit 1
fi
echo "defines all $(wc -l <<< "$declared") functions of platform/platform.h"

probe="$out/platform-probe.h"
sed 's|^} // namespace Platform|void declaredButNeverDefined(int);\n&|' "$source/platform/platform.h" > "$probe"
if [[ "$(undefined_functions "$probe" "$out"/*.o)" != declaredButNeverDefined ]]; then
    echo "FAIL: the check does not see a declaration without a Windows definition" >&2
    exit 1
fi
