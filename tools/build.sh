#!/usr/bin/env bash
# Sets the machine up and builds VELK, Wendrix and the tests into build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" "$root/build"
cd "$root"
cmake --preset mingw >/dev/null
cmake --build build -j "$(nproc)" "$@"
