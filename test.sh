#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/build.sh
./scripts/check-fresh-clone.sh
cd "${VVB_BUILD_DIR:-build}"
ctest --output-on-failure -j"$(nproc)"
