#!/usr/bin/env bash
# The product's folders are layers, each using only those below it:
#   core, resources  <  content  <  settings  <  card  <  shell  <  app
# Prints every include that points up and fails if there is one.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

LAYERS=(core:0 resources:0 content:1 settings:2 card:3 shell:4 app:5)
rank() {
  local entry
  for entry in "${LAYERS[@]}"; do
    [ "${entry%%:*}" = "$1" ] && { echo "${entry#*:}"; return; }
  done
  echo "unknown folder $1 in an include" >&2
  echo 99
}

status=0
while IFS= read -r line; do
  file=${line%%:*}
  target=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
  [[ $target == */* ]] || continue
  if [ "$(rank "${target%%/*}")" -gt "$(rank "${file%%/*}")" ]; then
    echo "up: $file includes $target"
    status=1
  fi
done < <(git grep -E '^#include "' -- core resources content settings card shell app)
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
