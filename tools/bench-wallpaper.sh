#!/usr/bin/env bash
# Builds and runs the wallpaper benchmark under Wine, then times ImageMagick's
# box-filter resize of the same BMP files as whole processes, and prints both
# with their ratio. Usage: tools/bench-wallpaper.sh [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
"$root/tools/build.sh" --target wallpaper_bench >/dev/null

BUILD_DIR="$root/build"
. "$root/tools/wine-env.sh"
. "$root/tools/display.sh"
work=$(mktemp -d)
cleanup() { wineserver -k 2>/dev/null || true; stop_display; rm -rf "$work"; }
trap cleanup EXIT
start_display
wineserver -p 2>/dev/null || true
wine "$BUILD_DIR/wine_warmup.exe"

figures="$work/figures.txt"
wine "$BUILD_DIR/wallpaper_bench.exe" "Z:${work//\//\\}" | tr -d '\r' >"$figures"
if grep -q '^error' "$figures"; then cat "$figures"; exit 1; fi

# The real ImageMagick (not a wrapper earlier on the PATH).
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert)

# Median wall time in ms of a whole convert process on one file.
convert_ms() {
  local input=$1 times=()
  for _ in $(seq 1 "$runs"); do
    local start end
    start=$(date +%s%N)
    "$convert" "$input" -filter box -resize '256x192!' "$work/out.bmp"
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}

echo "Wallpaper scaling to 256 x 192, median of $runs runs (ms)"
printf '%-22s %10s %12s %7s\n' "case" "Scale" "ImageMagick" "ratio"
for size in 4000x3000 6001x4001; do
  baseline=$(convert_ms "$work/$size.bmp")
  for mode in fit fill; do
    ours=$(awk -v s="$size" -v m="$mode" '$1 == "scale" && $2 == s && $3 == m { print $4 }' "$figures")
    printf '%-22s %10s %12s %7s\n' "$size $mode" "$ours" "$baseline" \
      "$(awk -v a="$ours" -v b="$baseline" 'BEGIN { printf "%.2f", a / b }')"
  done
done
build=$(awk '$1 == "build" { print $3 }' "$figures")
load=$(awk '$1 == "load" { print $3 }' "$figures")
echo "Whole Build of a 4000 x 3000 file (load, scale, cache, blend): $build ms (bar: 200 ms), of which loading $load ms"
