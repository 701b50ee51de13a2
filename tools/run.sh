#!/usr/bin/env bash
# Sets everything up, builds and starts VELK under Wine. Without a display it
# starts a virtual one, saves a screenshot of the panel and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" --target VELK velk_snapshot

BUILD_DIR="$root/build"
. "$root/tools/wine-env.sh"
. "$root/tools/display.sh"
if [ -n "${DISPLAY:-}" ]; then
  # A real desktop: VELK runs until it is closed from its menu or with ALT+F4.
  exec wine "$BUILD_DIR/VELK.exe"
fi

trap 'wineserver -k 2>/dev/null || true; stop_display' EXIT
start_display
run=$(mktemp -d)
cp "$BUILD_DIR/VELK.exe" "$run/"
[ -f "$BUILD_DIR/Wendrix.dll" ] && cp "$BUILD_DIR/Wendrix.dll" "$run/"
(cd "$run" && wine VELK.exe) &
velk=$!
shot="$BUILD_DIR/screenshots/run-panel.png"
mkdir -p "$BUILD_DIR/screenshots"
# Takes the picture once the panel shows, then closes VELK as a user would.
wine "$BUILD_DIR/velk_snapshot.exe" "$(echo "Z:$shot" | tr / '\\')"
wait "$velk"
echo "VELK started in $run under a virtual display; its panel: $shot"
