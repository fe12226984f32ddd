#!/usr/bin/env bash
# Installs what is missing, checks that a fresh clone builds and starts the editor as ./run.sh
# does, then builds the tests once, under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test there: any finding fails the test that ran into it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
jobs=$(nproc)

./scripts/check-fresh-clone.sh

build_dir=${VVB_TEST_BUILD_DIR:-build-asan}
VVB_BUILD_DIR=$build_dir VVB_SANITIZE=ON ./scripts/build.sh
# Qt's libraries keep no frame pointers, so allocation stacks are unwound the slow way for the
# suppressions to see Qt's frames; ten frames reach them and cost a third less than thirty.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:halt_on_error=1:fast_unwind_on_malloc=0:malloc_context_size=10}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd "$build_dir" && ctest --output-on-failure -j"$jobs")
