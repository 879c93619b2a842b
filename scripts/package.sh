#!/usr/bin/env bash
# Builds the Debian package tolve_<version>_amd64.deb from a Release build, in
# build-package/. Install it with: sudo apt install ./build-package/tolve_*.deb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
BUILD="$TOLVE_ROOT/build-package"
configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTOLVE_BUILD_TESTS=OFF \
    -DTOLVE_BUILD_BENCH=OFF -DTOLVE_SANITIZE=OFF
(cd "$BUILD" && cpack -G DEB > /dev/null)
ls "$BUILD"/tolve_*_amd64.deb
