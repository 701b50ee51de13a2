#!/usr/bin/env bash
# Creates the Wine prefix of a build tree once: a 64-bit prefix with a
# 1024 x 768 virtual desktop, so that clicks on the empty desktop reach the
# global hooks and z-order and activation are Wine's own; and the dialogs'
# "ＭＳ Ｐゴシック" drawn with the proportional IPA P Gothic, as on Windows,
# rather than Wine's monospaced stand-in. Beside it, copies of it whose
# display scale is 144 and 192 DPI (LogPixels, which Wine reads at each
# program's start), where the scale tests run.
#   tools/wine-prefix.sh BUILD_DIR
set -euo pipefail
BUILD_DIR=$(mkdir -p "$1" && cd "$1" && pwd)
. "$(dirname "$0")/wine-env.sh"
# Raise this when the settings below change: existing prefixes take them on.
version=2
marker="$WINEPREFIX/.velk-ready"
if [ ! -f "$marker" ] || [ "$(cat "$marker")" != "$version" ]; then
  if [ ! -f "$marker" ]; then
    echo "setup: creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d 'IPAGothic' /f >/dev/null 2>&1
  wineserver -w
  echo "$version" > "$marker"
fi
for dpi in 144 192; do
  copy="$BUILD_DIR/wineprefix-$dpi"
  if [ -f "$copy/.velk-ready" ] && [ "$(cat "$copy/.velk-ready")" = "$version-$dpi-3" ]; then continue; fi
  echo "setup: the Wine prefix at $dpi DPI"
  rm -rf "$copy"
  cp -a "$WINEPREFIX" "$copy"
  WINEPREFIX="$copy" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  WINEPREFIX="$copy" wineserver -w
  echo "$version-$dpi-3" > "$copy/.velk-ready"
done
