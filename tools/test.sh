#!/usr/bin/env bash
# Sets everything up, builds, and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"

BUILD_DIR="$root/build"
. "$root/tools/wine-env.sh"
. "$root/tools/display.sh"
# The prefixes at 144 and 192 DPI, where the scale tests run (each ends its
# session when its program ends; this is for a run that was cut short).
dpi_prefixes=("$BUILD_DIR/wineprefix-144" "$BUILD_DIR/wineprefix-192")
cleanup() {
  wineserver -k 2>/dev/null || true
  for prefix in "${dpi_prefixes[@]}"; do WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; done
  stop_display
}
trap cleanup EXIT
start_display
# One wineserver for the whole run, instead of one per test program (one
# already running for this prefix serves as well).
wineserver -p 2>/dev/null || true
wine "$BUILD_DIR/wine_warmup.exe"
rm -rf "$BUILD_DIR/screenshots"
# One test program at a time: many of them use the one desktop, its cursor,
# focus and keyboard, and a program that merely opens a window can take the
# foreground from another's typed keys.
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
echo "Screenshots: $BUILD_DIR/screenshots"
