# Shared by run.sh and test.sh: install what Debian 12 is missing, then build.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="${QUILLARD_BUILD_DIR:-$ROOT/build}"

# Build and run: compiler, Qt 6 with its serial port module, sound.
BUILD_PACKAGES=(build-essential cmake pkg-config ccache qt6-base-dev qt6-serialport-dev
                qt6-qpa-plugins libsndfile1-dev libasound2-dev fonts-dejavu-core)
# Tests: a private X server and clicks, pseudo-terminals, and real-time sound.
TEST_PACKAGES=(xvfb xauth xdotool x11-utils socat jackd2 libasound2-plugins)
# CI's sanitizer build and fuzzers: clang, its sanitizer and libFuzzer
# runtimes, and the symbolizer that names the frames of a report.
SANITIZER_PACKAGES=(clang libclang-rt-14-dev llvm-14)

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

build_quillard() {
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD" -j"$(nproc)"
}
