#!/usr/bin/env bash
# DEVELOPERS.md's table of layers tells what the build does: for every layer
# src/CMakeLists.txt makes (each quillard_layer() call records its folder,
# the layers it names and the libraries it links), one row of the table names
# the same layers (USES) and the same Qt modules (LIBS and PRIVATE_LIBS), and
# the table has no row for a layer that is not built. A row may stand for
# several layers ("`memory`, `guides`"); words in parentheses in the links
# column are notes ("(Linux)", "(no Gui, no Widgets)").
#   check_layer_table.sh <record: layer|uses|libraries, a line each> <DEVELOPERS.md>
set -euo pipefail
record=$1 doc=$2

# A list of words (split at blanks, commas and line ends) as one sorted,
# comma-separated line without repeats, in SORTED. Plain bash, with no program
# started for it: it runs twice for each layer.
SORTED=
sort_words() {
    local -A seen=()
    local -a words=() list=()
    local word i
    IFS=$' \t,\n' read -r -d '' -a words <<< "$1" || true
    for word in "${words[@]}"; do
        [[ -n $word && -z ${seen[$word]:-} ]] || continue
        seen[$word]=1
        for ((i = ${#list[@]}; i > 0; i--)); do
            [[ ${list[i - 1]} > $word ]] || break
            list[i]=${list[i - 1]}
        done
        list[i]=$word
    done
    local IFS=,
    SORTED="${list[*]}"
}

# The table's rows as "layer|uses|Qt modules", a line per layer.
table_rows() {
    awk -F'|' '
        /^\| *layer *\| *names \(USES\) *\| *links *\|/ { inside = 1; next }
        inside && !/^\|/ { exit }
        inside && /^\| *-/ { next }
        inside {
            layers = $2; uses = $3; links = $4
            gsub(/`/, "", uses)
            gsub(/\([^)]*\)/, "", links)
            modules = ""
            while (match(links, /Qt [A-Za-z]+/)) {
                modules = modules " Qt6::" substr(links, RSTART + 3, RLENGTH - 3)
                links = substr(links, RSTART + RLENGTH)
            }
            while (match(layers, /`[A-Za-z_]+`/)) {
                print substr(layers, RSTART + 1, RLENGTH - 2) "|" uses "|" modules
                layers = substr(layers, RSTART + RLENGTH)
            }
        }' "$doc"
}

built_rows=()
while IFS='|' read -r layer uses libs; do
    sort_words "$uses"
    sorted_uses=$SORTED
    qt=
    for word in $libs; do
        [[ $word == Qt6::* ]] && qt+=" $word"
    done
    sort_words "$qt"
    built_rows+=("$layer|$sorted_uses|$SORTED")
done < "$record"
told_rows=()
while IFS='|' read -r layer uses modules; do
    sort_words "$uses"
    sorted_uses=$SORTED
    sort_words "$modules"
    told_rows+=("$layer|$sorted_uses|$SORTED")
done < <(table_rows)
built=$(printf '%s\n' "${built_rows[@]}" | sed '/^$/d' | sort)
told=$(printf '%s\n' "${told_rows[@]}" | sed '/^$/d' | sort)

[[ -n "$built" ]] || { echo "FAIL: the build recorded no layers in $record" >&2; exit 1; }
[[ -n "$told" ]] || { echo "FAIL: no table '| layer | names (USES) | links |' in $doc" >&2; exit 1; }

status=0
layers=$(cut -d'|' -f1 <<< "$built"$'\n'"$told" | sort -u)
for layer in $layers; do
    b=$(grep "^$layer|" <<< "$built" || true)
    t=$(grep "^$layer|" <<< "$told" || true)
    if [[ -z "$t" ]]; then
        echo "FAIL: layer $layer is built but has no row in the table of $doc" >&2
        status=1
    elif [[ -z "$b" ]]; then
        echo "FAIL: the table of $doc has a row for $layer, which the build does not make" >&2
        status=1
    elif [[ $(wc -l <<< "$t") -gt 1 ]]; then
        echo "FAIL: the table of $doc has more than one row for $layer" >&2
        status=1
    elif [[ "$b" != "$t" ]]; then
        IFS='|' read -r _ buses blibs <<< "$b"
        IFS='|' read -r _ tuses tlibs <<< "$t"
        [[ "$buses" == "$tuses" ]] ||
            echo "FAIL: $layer uses [$buses] in the build, [$tuses] in the table" >&2
        [[ "$blibs" == "$tlibs" ]] ||
            echo "FAIL: $layer links [$blibs] in the build, [$tlibs] in the table" >&2
        status=1
    fi
done
[[ $status -ne 0 ]] || echo "the table of layers tells the build: $(wc -l <<< "$built") layers"
exit $status
