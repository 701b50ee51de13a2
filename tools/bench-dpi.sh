#!/usr/bin/env bash
# The panel's pop-up time, cost at rest and private memory at 96 DPI and at
# 192 DPI (the tree's prefix of that scale, made by the set-up), one after
# the other in one run, so that each figure has its 96-DPI one beside it.
#   tools/bench-dpi.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"

BUILD_DIR="$root/build"
. "$root/tools/wine-env.sh"
. "$root/tools/display.sh"
prefixes=("$BUILD_DIR/wineprefix" "$BUILD_DIR/wineprefix-192")
cleanup() {
  for prefix in "${prefixes[@]}"; do WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; done
  stop_display
}
trap cleanup EXIT
start_display
for prefix in "${prefixes[@]}"; do
  export WINEPREFIX="$prefix"
  echo "== $(basename "$prefix")"
  wineserver -p 2>/dev/null || true
  wine "$BUILD_DIR/wine_warmup.exe"
  wine "$BUILD_DIR/bench_panel_idle.exe"
  # The session ends before the next prefix's desktop takes the display.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
done
