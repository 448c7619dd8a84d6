#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR with prefix /usr, as a package
# build does, and checks the tree a package carries: the programs, the desktop
# entry and metainfo (both validated), the icon at every size with the right
# pixel size, both manual pages rendering without a warning, and the 21 cues.
#
# Needs: desktop-file-utils, appstream, man-db (Debian packages).
set -euo pipefail

: "${QUILLARD_BINARY_DIR:?set by CTest}"
: "${QUILLARD_SOURCE_DIR:?set by CTest}"
: "${QUILLARD_VERSION:?set by CTest, from project(VERSION)}"
CMAKE="${QUILLARD_CMAKE:-cmake}"
# Whether the build has the virtual radio (QUILLARD_VIRTUAL_RADIO); CTest says.
WITH_VIRTUAL_RADIO="${QUILLARD_WITH_VIRTUAL_RADIO:-1}"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
DEST="$WORK/root"
USR="$DEST/usr"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream man:man-db; do
    command -v "${tool%%:*}" >/dev/null \
        || { echo "FAIL: ${tool%%:*} is missing (install ${tool#*:})" >&2; exit 1; }
done

DESTDIR="$DEST" "$CMAKE" --install "$QUILLARD_BINARY_DIR" --prefix /usr >"$WORK/install.log" 2>&1 \
    || { cat "$WORK/install.log" >&2; echo "FAIL: cmake --install failed" >&2; exit 1; }

# Nothing may land outside /usr.
outside=$(cd "$DEST" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[[ -z "$outside" ]] || fail "installed outside /usr: $outside"

# --- programs --------------------------------------------------------------
programs=(quillard)
[[ "$WITH_VIRTUAL_RADIO" == 1 ]] && programs+=(quillard-virtual-radio)
for program in "${programs[@]}"; do
    [[ -x "$USR/bin/$program" && -f "$USR/bin/$program" ]] || fail "no program usr/bin/$program"
done

# --- desktop entry ---------------------------------------------------------
desktop="$USR/share/applications/org.quillard.Quillard.desktop"
if [[ -f "$desktop" ]]; then
    if ! out=$(desktop-file-validate "$desktop" 2>&1) || [[ -n "$out" ]]; then
        fail "desktop-file-validate: $out"
    fi
    grep -qx 'Exec=quillard' "$desktop" || fail "the desktop entry does not start quillard"
    grep -qx 'Icon=org.quillard.Quillard' "$desktop" || fail "the desktop entry names another icon"
    grep -Eq '^Categories=(.*;)?HamRadio;' "$desktop" || fail "the desktop entry is not in HamRadio"
else
    fail "no desktop entry usr/share/applications/org.quillard.Quillard.desktop"
fi

# --- metainfo --------------------------------------------------------------
metainfo="$USR/share/metainfo/org.quillard.Quillard.metainfo.xml"
if [[ -f "$metainfo" ]]; then
    # Errors and warnings both fail; infos and pedantic notes are allowed.
    if ! out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || grep -Eq '^[EW]:' <<<"$out"; then
        fail "appstreamcli validate: $out"
    fi
    # The tree as a whole: metainfo, its desktop entry and the icon together.
    if ! out=$(appstreamcli validate-tree --no-net "$DEST" 2>&1) || grep -Eq '^[EW]:' <<<"$out"; then
        fail "appstreamcli validate-tree: $out"
    fi
    grep -q "<release version=\"$QUILLARD_VERSION\"" "$metainfo" \
        || fail "the metainfo has no release $QUILLARD_VERSION"
    grep -q '<launchable type="desktop-id">org.quillard.Quillard.desktop</launchable>' "$metainfo" \
        || fail "the metainfo does not launch org.quillard.Quillard.desktop"
else
    fail "no metainfo usr/share/metainfo/org.quillard.Quillard.metainfo.xml"
fi

# --- icons -----------------------------------------------------------------
# Width and height from a PNG's IHDR chunk (bytes 16 to 23, big-endian).
png_size() {
    local bytes
    bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')
    read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$bytes"
    echo "$(( (w1 << 24) | (w2 << 16) | (w3 << 8) | w4 ))x$(( (h1 << 24) | (h2 << 16) | (h3 << 8) | h4 ))"
}
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
    png="$USR/share/icons/hicolor/$size/apps/org.quillard.Quillard.png"
    if [[ ! -f "$png" ]]; then
        fail "no icon $size"
        continue
    fi
    [[ "$(od -An -tx1 -N8 "$png" | tr -d ' \n')" == 89504e470d0a1a0a ]] || { fail "icon $size is not a PNG"; continue; }
    got=$(png_size "$png")
    [[ "$got" == "$size" ]] || fail "icon $size is $got pixels"
done
svg="$USR/share/icons/hicolor/scalable/apps/org.quillard.Quillard.svg"
if [[ -f "$svg" ]]; then
    grep -q '<svg' "$svg" || fail "the scalable icon is not SVG"
else
    fail "no scalable icon"
fi

# --- manual pages ----------------------------------------------------------
pages=(quillard)
[[ "$WITH_VIRTUAL_RADIO" == 1 ]] && pages+=(quillard-virtual-radio)
for page in "${pages[@]}"; do
    file="$USR/share/man/man1/$page.1"
    if [[ ! -f "$file" ]]; then
        fail "no manual page $page(1)"
        continue
    fi
    if ! MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$file" >"$WORK/page.txt" 2>"$WORK/page.err" \
        || [[ -s "$WORK/page.err" ]]; then
        fail "man -l $page.1: $(cat "$WORK/page.err")"
    fi
    grep -q "^NAME" "$WORK/page.txt" || fail "$page(1) renders no NAME section"
    grep -q "^\.TH .* \"Quillard $QUILLARD_VERSION\"" "$file" \
        || fail "$page(1) is not for Quillard $QUILLARD_VERSION (its .TH line)"
done

# --- cues ------------------------------------------------------------------
cues="$USR/share/quillard/cues"
expected=(Online.wav vfoa.wav vfob.wav mem.wav 160m.wav 80m.wav 40m.wav 30m.wav 20m.wav
          17m.wav 15m.wav 12m.wav 10m.wav anttun.wav ant1.wav ant2.wav pon.wav poff.wav
          tickles.wav reset.wav programming.wav)
for cue in "${expected[@]}"; do
    if [[ ! -f "$cues/$cue" ]]; then
        fail "no cue usr/share/quillard/cues/$cue"
        continue
    fi
    # A RIFF file of the WAVE form: "RIFF" then the size then "WAVE".
    [[ "$(head -c 4 "$cues/$cue")" == RIFF && "$(tail -c +9 "$cues/$cue" | head -c 4)" == WAVE ]] \
        || fail "cue $cue is not a WAV file"
done
count=$(find "$cues" -type f 2>/dev/null | wc -l)
[[ "$count" -eq ${#expected[@]} ]] || fail "usr/share/quillard/cues holds $count files, not ${#expected[@]}"

if (( failures > 0 )); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install tree: all checks passed"
