#!/usr/bin/env bash
# Builds the Debian packages quillard and quillard-virtual-radio in one go:
# installs what packaging needs, builds with dpkg-buildpackage in a copy of the
# source tree (build-deb/), puts the two .deb files in the project folder and
# checks everything built with lintian, which must report no error or warning.
#
#   bash scripts/package.sh
#   sudo apt install ./quillard_<version>-1_amd64.deb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
started=$SECONDS

install_missing debhelper dpkg-dev lintian ccache
# The build dependencies, as debian/control names them.
# dpkg-checkbuilddeps fails when some are missing, and names them.
unmet=$(cd "$ROOT" && { dpkg-checkbuilddeps 2>&1 || true; } | sed -n 's/.*Unmet build dependencies: //p')
if [[ -n "$unmet" ]]; then
    # "cmake (>= 3.25) qt6-base-dev" → cmake qt6-base-dev
    read -r -a needed <<<"$(sed -E 's/\([^)]*\)//g; s/\|//g' <<<"$unmet")"
    install_missing "${needed[@]}"
fi

version=$(dpkg-parsechangelog -l "$ROOT/debian/changelog" -S Version)
upstream=${version%-*}
arch=$(dpkg --print-architecture)
OUT="$ROOT/build-deb"
SRC="$OUT/quillard-$upstream"

# A copy of the tree as it is (uncommitted changes included), without builds,
# packages or git's files.
rm -rf "$OUT"
mkdir -p "$SRC"
tar -C "$ROOT" --exclude='./build*' --exclude=./.git --exclude='./*.deb' -cf - . | tar -C "$SRC" -xf -

# debhelper gives the build a HOME of its own; keep ccache's cache where it
# is, so a second package build is quick.
export CCACHE_DIR="${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}"
echo "Building the packages in $OUT (the log is $OUT/build.log) ..."
if ! (cd "$SRC" && dpkg-buildpackage -us -uc -b -j"$(nproc)") >"$OUT/build.log" 2>&1; then
    tail -n 40 "$OUT/build.log" >&2
    echo "package.sh: dpkg-buildpackage failed; the whole log is $OUT/build.log" >&2
    exit 1
fi

debs=("quillard_${version}_$arch.deb" "quillard-virtual-radio_${version}_$arch.deb")
for deb in "${debs[@]}"; do
    rm -f "$ROOT/$deb"
    cp "$OUT/$deb" "$ROOT/"
done

# The .changes file lists the packages (debug symbols included) and the
# .buildinfo; lintian checks them all.
echo "lintian:"
status=0
lintian --info --display-info --fail-on error,warning "$OUT/quillard_${version}_$arch.changes" \
    || status=$?
if [[ $status -ne 0 ]]; then
    echo "package.sh: lintian reports errors or warnings (above)" >&2
    exit 1
fi

for deb in "${debs[@]}"; do
    echo "$(du -h "$ROOT/$deb" | cut -f1)  $deb"
done
elapsed=$((SECONDS - started))
printf 'Packages built and checked in %dm%02ds. Install with:\n' $((elapsed / 60)) $((elapsed % 60))
echo "    sudo apt install ./${debs[0]}          (./${debs[1]} for the virtual radio)"
