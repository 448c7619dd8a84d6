# Shared by the scripts that build (run.sh, test.sh, test-sanitizers.sh,
# package.sh, bench/run.sh, fuzz/run-fuzz.sh): install what Debian 12 is
# missing, then build.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="${QUILLARD_BUILD_DIR:-$ROOT/build}"

# Build: compiler, Qt 6 with its serial port module, the sound libraries.
BUILD_PACKAGES=(build-essential cmake pkg-config ccache qt6-base-dev qt6-serialport-dev
                libsndfile1-dev libasound2-dev)
# Run: Qt's platform plugins, a font, and a virtual X server for machines
# without a display (the README's xvfb-run).
RUN_PACKAGES=(qt6-qpa-plugins fonts-dejavu-core xvfb xauth)
# Tests: clicks and window queries in a private X server, pseudo-terminals,
# real-time sound, the validators of the installed tree, GNOME's desktop
# font for the caption test, Hamlib's rigctl, rigctld and rigmem to drive
# the virtual radio and to exchange the memory sheet with, for the
# benchmarks (bench/run.sh) Xlib's XTEST and DAMAGE to click and to see
# windows drawn, MinGW to compile the Windows side of the platform seam, and
# for the screen-reader tests the Orca screen reader, the AT-SPI buses,
# pyatspi and pgrep (to see another Orca of the user), and rigctld and flrig,
# which share the radio with Quillard in its tests (flrig in a network of the
# test's own, whose loopback ip brings up).
TEST_PACKAGES=(xdotool x11-utils socat jackd2 libasound2-plugins libxtst-dev libxdamage-dev
               desktop-file-utils appstream man-db fonts-cantarell libhamlib-utils flrig
               g++-mingw-w64-x86-64-posix orca python3-pyatspi at-spi2-core dbus procps
               iproute2)
# CI's sanitizer build and fuzzers: clang, its sanitizer and libFuzzer
# runtimes, and the symbolizer that names the frames of a report.
SANITIZER_PACKAGES=(clang libclang-rt-14-dev llvm-14)

# Tells how to install the packages when this script cannot, and stops.
cannot_install() {
    echo >&2
    echo "These Debian packages are needed and could not be installed: $*" >&2
    if [[ $(id -u) -eq 0 ]]; then
        echo "Install them (apt-get said why it failed, above), then run this command again:" >&2
        echo "    apt-get install $*" >&2
    else
        echo "Install them as root, then run this command again:" >&2
        echo "    su -c 'apt-get install $*'" >&2
        echo "or, in a root shell:" >&2
        echo "    apt-get install $*" >&2
    fi
    exit 1
}

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "Installing: ${missing[*]}"
    local as_root=()
    if [[ $(id -u) -ne 0 ]]; then
        command -v sudo >/dev/null || cannot_install "${missing[@]}"
        as_root=(sudo)
    fi
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq \
        || cannot_install "${missing[@]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" || cannot_install "${missing[@]}"
}

# The one way to build, for every script: configures <folder> from this tree
# with the options given, then builds it all or the targets named.
#   build_quillard <folder> [<cmake option>...] [--target <target>...]
# The variants are options of the same tree: -DQUILLARD_SANITIZERS=ON,
# -DQUILLARD_FUZZERS=ON (both with -DCMAKE_CXX_COMPILER=clang++).
# QUILLARD_JOBS: parallel build jobs (as many as processors).
build_quillard() {
    local folder=$1 options=() targets=()
    shift
    while [[ $# -gt 0 ]]; do
        if [[ $1 == --target ]]; then
            shift
            targets=(--target "$@")
            break
        fi
        options+=("$1")
        shift
    done
    cmake -S "$ROOT" -B "$folder" "${options[@]}" >/dev/null
    cmake --build "$folder" -j"${QUILLARD_JOBS:-$(nproc)}" "${targets[@]}"
}
