#!/usr/bin/env bash
# Creates the Wine prefix of a build tree once: a 64-bit prefix with a
# 1024 x 768 virtual desktop, so that clicks on the empty desktop reach the
# global hooks and z-order and activation are Wine's own.
#   tools/wine-prefix.sh BUILD_DIR
set -euo pipefail
BUILD_DIR=$(mkdir -p "$1" && cd "$1" && pwd)
. "$(dirname "$0")/wine-env.sh"
if [ -f "$WINEPREFIX/.velk-ready" ]; then exit 0; fi
echo "setup: creating the Wine prefix $WINEPREFIX"
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.velk-ready"
