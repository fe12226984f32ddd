#!/usr/bin/env bash
# Runs one test with a fresh, private home so settings, the Documents folder
# and the log file never touch the user's.
set -u
root=$(mktemp -d "${TMPDIR:-/tmp}/vvb-test.XXXXXX") || exit 1
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/home/Documents" "$root/config" "$root/data" "$root/cache" "$root/runtime"
chmod 700 "$root/runtime"
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" \
       XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/runtime" \
       XDG_DOCUMENTS_DIR="$root/home/Documents" \
       QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software \
       QT_LOGGING_RULES="${QT_LOGGING_RULES:-vvb.*.debug=true}"
cd "$root" || exit 1
"$@"
