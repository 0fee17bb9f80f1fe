#!/bin/sh
# Render the committed icons and button faces to PNG files for a visual check.
#   tools/preview_art.sh [OUTDIR]      (default build/previews)
# Icons: every image of both .ico files, enlarged 4x on a checkerboard that shows the
# transparent parts. Faces: each at 1:1 and 4:1, plus the three as the card shows them
# (86-pixel faces cut to their 85-pixel buttons).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-build/previews}
mkdir -p "$out"
/usr/bin/python3 - "$root" "$out" <<'PY'
import os
import struct
import sys

from PIL import Image, IcoImagePlugin

root, out = sys.argv[1], sys.argv[2]


def checkerboard(w, h, cell=8):
    board = Image.new("RGBA", (w, h))
    for y in range(h):
        for x in range(w):
            light = ((x // cell) + (y // cell)) % 2 == 0
            board.putpixel((x, y), (200, 200, 200, 255) if light else (150, 150, 150, 255))
    return board


def enlarge(image, factor):
    return image.resize((image.width * factor, image.height * factor), Image.NEAREST)


written = []
for name, first_id in (("quillane.ico", 1), ("quillane_small.ico", 9)):
    with open(os.path.join(root, "resources", "icons", name), "rb") as handle:
        data = handle.read()
        handle.seek(0)
        ico = IcoImagePlugin.IcoFile(handle)
        # The reader sorts its entries by size; name the images in file order instead.
        count = struct.unpack_from("<H", data, 4)[0]
        offsets = [struct.unpack_from("<I", data, 6 + 16 * i + 12)[0] for i in range(count)]
        for index, offset in enumerate(offsets):
            entry = next(e for e in ico.entry if e["offset"] == offset)
            frame = ico.frame(ico.entry.index(entry)).convert("RGBA")
            big = enlarge(frame, 4)
            sheet = checkerboard(big.width, big.height)
            sheet.alpha_composite(big)
            path = os.path.join(out, "icon%02d_%dx%d_%dbpp_x4.png"
                                % (first_id + index, entry["width"], entry["height"], entry["bpp"]))
            sheet.convert("RGB").save(path)
            written.append(path)

faces = {}
for name in ("next", "context", "goforth"):
    face = Image.open(os.path.join(root, "resources", "buttons", name + ".bmp")).convert("RGB")
    faces[name] = face
    for factor in (1, 4):
        path = os.path.join(out, "face_%s_x%d.png" % (name, factor))
        enlarge(face, factor).save(path)
        written.append(path)

# The row of buttons as the card lays it out: Context at x 15, arrow at 147, Go Forth
# at 247, the wide faces cut to 85 columns.
row = Image.new("RGB", (350, 41), (222, 205, 170))
row.paste(faces["context"].crop((0, 0, 85, 31)), (15, 5))
row.paste(faces["next"], (147, 5))
row.paste(faces["goforth"].crop((0, 0, 85, 31)), (247, 5))
for factor in (1, 2):
    path = os.path.join(out, "buttons_row_x%d.png" % factor)
    enlarge(row, factor).save(path)
    written.append(path)

for path in written:
    print(path)
PY
