#!/usr/bin/env bash
# The format check: every C++ file of the tree is as clang-format, with the
# tree's .clang-format, would write it.
#   tools/check-format.sh [SOURCE_DIR]
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"
mapfile -t files < <(find app base bench dialogs hooklib launchdata panel resources tests tools wallpaper \
  -name '*.cpp' -o -name '*.h' | sort)
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "format: run clang-format -i on the files above"
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format writes them"
