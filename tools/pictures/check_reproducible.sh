#!/bin/sh
# Regenerate the background pictures into a temporary folder and compare them
# byte for byte with the committed ones; exits 1 if any differs or is missing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

/usr/bin/python3 "$here/make_pictures.py" --out "$tmp" >"$tmp/log" || {
    cat "$tmp/log"
    echo "generator failed"
    exit 1
}
status=0
for id in 131 132 133 134 135 136 137 138; do
    name="image_$id.jpg"
    if ! cmp -s "$tmp/$name" "$root/resources/images/$name"; then
        echo "DIFFERS: resources/images/$name"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "all eight pictures reproduce byte for byte"
exit "$status"
