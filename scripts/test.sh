#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Tests start their own
# X server and pseudo-terminals, so no display or serial port is needed.
# Options are handed to CTest to choose fewer ("-R tst_form1"; CI runs "-L
# display", the tests the package build leaves out).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_quillard "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd "$BUILD"
ctest --output-on-failure -j2 "$@"
