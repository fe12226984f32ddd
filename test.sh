#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once as built for use,
# once under AddressSanitizer and UndefinedBehaviorSanitizer, where any finding fails the test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
jobs=$(nproc)

./scripts/build.sh
./scripts/check-fresh-clone.sh
(cd "${VVB_BUILD_DIR:-build}" && ctest --output-on-failure -j"$jobs")

VVB_BUILD_DIR=build-asan VVB_SANITIZE=ON ./scripts/build.sh
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:halt_on_error=1:fast_unwind_on_malloc=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd build-asan && ctest --output-on-failure -j"$jobs")
