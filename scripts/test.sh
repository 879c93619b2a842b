#!/usr/bin/env bash
# Sets up and runs every test, in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
BUILD="$TOLVE_ROOT/build-test"
configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVE_SANITIZE=ON
cd "$BUILD"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
