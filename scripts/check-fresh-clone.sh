#!/usr/bin/env bash
# A fresh clone of the committed tree must start with its first panel: builds
# exactly what ./run.sh builds there and starts the editor offscreen for a few
# seconds. Fails when the panel template is not beside the program, when the
# editor cannot read it, or when the editor ends by itself.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d "${TMPDIR:-/tmp}/vvb-clone.XXXXXX")
trap 'rm -rf "$work"' EXIT
git clone -q --no-hardlinks . "$work/clone"
cd "$work/clone"
VVB_BUILD_DIR=build ./scripts/build.sh --target viviza-builder ${VVB_JOBS:+-j"$VVB_JOBS"} >"$work/build.log" 2>&1 || {
  tail -n 30 "$work/build.log"; echo "fresh clone: the build failed" >&2; exit 1; }
if [ ! -f "build/templates/Blank Panel.tpl" ]; then
  echo "fresh clone: the panel template is not beside the program" >&2
  exit 1
fi
status=0
tests/isolate.sh timeout "${VVB_START_SECONDS:-6}" "$PWD/build/viviza-builder" >"$work/run.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
  cat "$work/run.log"; echo "fresh clone: the editor ended by itself (status $status)" >&2; exit 1
fi
if grep -q "cannot read the template" "$work/run.log"; then
  cat "$work/run.log"; echo "fresh clone: the editor started without its first panel" >&2; exit 1
fi
echo "fresh clone: the editor starts with its first panel"
