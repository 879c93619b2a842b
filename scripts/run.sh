#!/usr/bin/env bash
# Sets up Tolve and runs it on the bundled sample map.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
BUILD="$TOLVE_ROOT/build-release"
configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTOLVE_BUILD_TESTS=OFF -DTOLVE_BUILD_BENCH=OFF
cd "$TOLVE_ROOT/samples"
echo "Checking and counting samples/demo.map:"
"$BUILD/tools/tolve-map" check demo.map
"$BUILD/tools/tolve-map" stats demo.map
