#!/usr/bin/env bash
# Configures and builds into build/ (ccache, Ninja); extra arguments go to the build.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${VVB_BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja \
    -DCMAKE_BUILD_TYPE="${VVB_BUILD_TYPE:-Debug}" \
    -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
# Paths relative to the checkout, so every clone and work tree shares one cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
cmake --build "$build_dir" "$@"
