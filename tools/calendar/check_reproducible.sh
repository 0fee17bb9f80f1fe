#!/bin/sh
# Regenerate the holiday calendar into a temporary file and compare it byte for byte
# with the committed resources/holidays.txt. Exits non-zero on any difference.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
committed="$here/../../resources/holidays.txt"
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
/usr/bin/python3 "$here/make_calendar.py" --output "$tmp" >/dev/null
if cmp "$tmp" "$committed"; then
    echo "holidays.txt is reproducible ($(wc -c <"$committed") bytes)"
else
    echo "holidays.txt differs from a fresh run of make_calendar.py" >&2
    exit 1
fi
