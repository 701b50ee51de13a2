#!/usr/bin/env bash
# The layer check: every #include "folder/..." in a layer's sources names the
# layer itself or one its library names (CMake writes them down in
# layers.txt, a line "folder: layer layer..." each), and the layers form a
# graph without a cycle.
#   tools/check-layers.sh LAYERS_FILE SOURCE_DIR
set -euo pipefail
layers_file=$1
root=$2
declare -A uses
while IFS=: read -r folder named; do uses[$folder]=" $named "; done <"$layers_file"

status=0
for folder in "${!uses[@]}"; do
  for file in "$root/$folder"/*.h "$root/$folder"/*.cpp; do
    [ -e "$file" ] || continue
    while read -r included; do
      [ "$included" = "$folder" ] && continue
      if [ -z "${uses[$included]+known}" ] || [[ "${uses[$folder]}" != *" $included "* ]]; then
        echo "${file#"$root"/}: includes $included/, which the $folder layer does not name"
        status=1
      fi
    done < <(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^/"]*\)/.*|\1|p' "$file")
  done
done

# Peel off the layers whose named layers are all peeled off; what is left
# lies on a cycle.
declare -A left
for folder in "${!uses[@]}"; do left[$folder]=1; done
progress=1
while [ "$progress" = 1 ]; do
  progress=0
  for folder in "${!left[@]}"; do
    ready=1
    for named in ${uses[$folder]}; do [ -n "${left[$named]+x}" ] && ready=0; done
    if [ "$ready" = 1 ]; then unset "left[$folder]"; progress=1; fi
  done
done
if [ ${#left[@]} -gt 0 ]; then
  echo "layers on a cycle: ${!left[*]}"
  status=1
fi
[ "$status" = 0 ] && echo "layers: ${#uses[@]} folders, every include names a layer its own names, no cycle"
exit "$status"
