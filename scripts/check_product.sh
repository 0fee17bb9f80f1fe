#!/usr/bin/env bash
# check_product.sh EXE: the shipped program is a 32-bit GUI program that imports only
# DLLs every Windows has, and stays within its size budget.
set -euo pipefail
exe=${1:?usage: check_product.sh Quillane.exe}
[ -f "$exe" ] || { echo "no $exe (build the mingw preset first)"; exit 77; }
dump=$(i686-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$dump" || { echo "not a 32-bit program"; exit 1; }
grep -q 'Subsystem.*0*2 ' <<<"$dump" || grep -q '(Windows GUI)' <<<"$dump" ||
  { echo "not a GUI program"; exit 1; }
allowed='^(KERNEL32|USER32|GDI32|SHELL32|ADVAPI32|ole32|OLEAUT32|msvcrt)\.dll$'
bad=0
while read -r dll; do
  if ! grep -Eiq "$allowed" <<<"$dll"; then echo "imports $dll"; bad=1; fi
done < <(awk '/DLL Name:/ {print $3}' <<<"$dump")
size=$(stat -c %s "$exe")
[ "$size" -le $((2 * 1024 * 1024)) ] || { echo "size $size over 2 MiB"; bad=1; }
[ "$bad" -eq 0 ] && echo "ok: 32-bit GUI, system DLLs only, $size bytes"
exit "$bad"
