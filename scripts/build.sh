#!/usr/bin/env bash
# Configures and builds (ccache, Ninja); extra arguments go to the build.
#   VVB_BUILD_DIR   build folder (default build)
#   VVB_BUILD_TYPE  Debug (default) or Release
#   VVB_SANITIZE    ON for an AddressSanitizer and UndefinedBehaviorSanitizer build
#   VVB_BENCH       ON to build the benchmarks too (see scripts/bench.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${VVB_BUILD_DIR:-build}
build_type=${VVB_BUILD_TYPE:-Debug}
sanitize=${VVB_SANITIZE:-OFF}
bench=${VVB_BENCH:-OFF}

cached() { sed -n "s/^$1:[A-Z]*=//p" "$build_dir/CMakeCache.txt" 2>/dev/null; }
# A changed build type, sanitizer or benchmark choice reconfigures the folder instead of building the old one.
if [ ! -f "$build_dir/build.ninja" ] || [ "$(cached CMAKE_BUILD_TYPE)" != "$build_type" ] \
   || [ "$(cached VVB_SANITIZE)" != "$sanitize" ] || [ "$(cached VVB_BUILD_BENCH)" != "$bench" ]; then
  cmake -S . -B "$build_dir" -G Ninja \
    -DCMAKE_BUILD_TYPE="$build_type" \
    -DVVB_SANITIZE="$sanitize" \
    -DVVB_BUILD_BENCH="$bench" \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
# Paths relative to the checkout, so every clone and work tree shares one cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-time_macros,include_file_mtime,include_file_ctime}
cmake --build "$build_dir" "$@"
