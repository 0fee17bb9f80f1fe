#!/usr/bin/env bash
# run32.sh SCENARIO: one end-to-end scenario against the shipped 32-bit program, run by
# Wine's 32-bit half natively or under qemu-user, as scripts/lib.sh finds. Exits 77
# (skipped) where neither can; the last line says which way the program ran.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

wine32_setup
if [ -z "$QUILLANE_WINE32_LOADER" ]; then
  echo "The shipped 32-bit program: $QUILLANE_WINE32_NOTE"
  exit 77
fi
for file in "$QUILLANE_EXE" "$QDRIVER"; do
  [ -f "$file" ] || { echo "FAIL: no $file: build the 32-bit tree (cmake --preset mingw)"; exit 1; }
done
code=0
QDRIVER_WINE=$QUILLANE_WINE QUILLANE_WINE=$QUILLANE_WINE32_LOADER bash "$1" || code=$?
echo "The shipped 32-bit program ran $QUILLANE_WINE32_NOTE"
exit "$code"
