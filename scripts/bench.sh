#!/usr/bin/env bash
# Builds the benchmarks in Release (a debug or sanitizer build says nothing about speed) and
# runs each in a private home, headless. Extra arguments go to every benchmark, for example
# --benchmark_filter=Open.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
build_dir=${VVB_BENCH_BUILD_DIR:-build-release}
VVB_BUILD_DIR=$build_dir VVB_BUILD_TYPE=Release VVB_BENCH=ON ./scripts/build.sh --target vvb_benchmarks
for bench in "$build_dir"/bench/bench_*; do
  [ -f "$bench" ] && [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  tests/isolate.sh "$PWD/$bench" "$@"
done
