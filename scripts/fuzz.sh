#!/usr/bin/env bash
# Builds a libFuzzer target with clang and runs it on a copy of its seed corpus.
# usage: scripts/fuzz.sh Map|Wad|Definitions [SECONDS]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

TARGET="${1:?usage: scripts/fuzz.sh Map|Wad|Definitions [SECONDS]}"
SECONDS_TO_RUN="${2:-300}"
install_packages clang libclang-rt-14-dev
BUILD="$TOLVE_ROOT/build-fuzz"
CC=clang CXX=clang++ configure_and_build "$BUILD" -DTOLVE_BUILD_FUZZERS=ON \
    -DTOLVE_BUILD_TESTS=OFF -DTOLVE_BUILD_BENCH=OFF -DTOLVE_BUILD_UI=OFF
WORK="$(mktemp -d)"
cp "$TOLVE_ROOT/fuzz/corpus/${TARGET,,}"/* "$WORK/"
"$BUILD/fuzz/fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -timeout=10 "$WORK"
echo "Working corpus left in $WORK"
