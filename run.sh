#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor (arguments are passed on).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/build.sh --target viviza-builder
exec "${VVB_BUILD_DIR:-build}/viviza-builder" "$@"
