#!/usr/bin/env bash
# The card at 150 % (144 DPI) on a desktop of 1600 x 1200: the layout's client area scaled,
# the verse's lines no more than 1.5 times as tall as at 100 %, the whole picture and the four
# holiday lines inside, the reference and holiday lines read back from the screen, and a
# screen reader hovering each of them hears it. A prefix and a screen of its own, so the
# other scenarios stay at 100 % on theirs.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
wine64() { "${QDRIVER_WINE:-$QUILLANE_WINE}" "$@"; }

for n in $(seq 140 199); do [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ] && break; done
Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n" WINEPREFIX="$PWD/display_scale_${QUILLANE_ARCH:-x64}/prefix"
cleanup() {
  end_quillane
  "$WINESERVER" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wine64 wineboot --init >/dev/null 2>&1
"$WINESERVER" -w
wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1600x1200 /f >/dev/null 2>&1
wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
# Wine reads the scale when its server starts.
"$WINESERVER" -w
"$WINESERVER" -p
wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true

# One known passage, long enough to wrap.
qd one-card "$QUILLANE_EXE" "$(dirname "$WINEPREFIX")/Quillane.exe" >/dev/null || fail "one-card copy"
QUILLANE_EXE="$(dirname "$WINEPREFIX")/Quillane.exe"
clean_settings
start_quillane
settle
read -r x y width height <<<"$(qd client "$WINDOW_CLASS")"
expect_eq "$width x $height" "516 x 765" "client area at 144 DPI"
screenshot display_scale
shot=$(card_shot display_scale_card)

# The picture fills its scaled rectangle, 513 x 750 from the origin, and only that: the
# strip right of it and the rows under it are the window's white. The verse's lines stand
# 35 pixels apart, the cell of the verse font's em scaled (21 in a 24-pixel cell at 100 %, 31
# here), never more than 1.5 times 24: the tops of the ink bands.
read -r picture pitch <<<"$(/usr/bin/python3 - "$shot" <<'EOF'
import sys
from PIL import Image
image = Image.open(sys.argv[1]).convert("RGB")
white = (255, 255, 255)
inside = all(image.getpixel(p) != white for p in [(0, 0), (512, 0), (0, 749), (512, 749)])
outside = {image.getpixel((x, y)) for x in range(513, 516) for y in range(765)}
outside |= {image.getpixel((x, y)) for x in range(516) for y in range(750, 765)}
gray = image.convert("L")
# The verse block: from its top (21) to above the reference (443), inside the frame.
rows = [sum(1 for x in range(24, 490) if gray.getpixel((x, y)) < 80) for y in range(21, 443)]
# A line's top: ink after blank rows (a descender's faint tail is not a new line).
tops = [y for y in range(3, len(rows)) if rows[y] > 2 and not any(rows[y - 3:y])]
gaps = sorted(b - a for a, b in zip(tops, tops[1:]) if b - a > 20)
print("whole" if inside and outside == {white} else "cut", gaps[len(gaps) // 2] if gaps else 0)
EOF
)"
expect_eq "$picture" whole "the picture in its scaled rectangle"
[ "$pitch" -ge 34 ] && [ "$pitch" -le 36 ] || fail "verse lines $pitch pixels apart, expected 35"

# What a screen reader reads: the reference and the four holiday lines after the heading.
mapfile -t texts < <(qd read "$WINDOW_CLASS" | sed -n 's/^text|//p')
[ "${#texts[@]}" -eq 8 ] || fail "read ${#texts[@]} texts: ${texts[*]}"
wanted=("${texts[1]}" "${texts[@]:4:4}")
# Letters and digits only: the recognizer's spacing and punctuation vary.
squeeze() { tr -cd '[:alnum:]\n' | tr '[:upper:]' '[:lower:]'; }
convert "$shot" -resize 200% -colorspace Gray "$shot.ocr.png"
# The recognizer's lines: the centre of each on the screen (the picture is twice the card's
# size), then its text.
ocr_lines=$(tesseract "$shot.ocr.png" - tsv 2>/dev/null | /usr/bin/python3 -c '
import sys
lines = {}
for row in list(sys.stdin)[1:]:
    f = row.rstrip("\n").split("\t")
    if len(f) < 12 or f[0] != "5" or not f[11].strip():
        continue
    left, top, width, height = (int(v) for v in f[6:10])
    box = lines.setdefault(tuple(f[1:5]), [left, top, left + width, top + height, []])
    box[0], box[1] = min(box[0], left), min(box[1], top)
    box[2], box[3] = max(box[2], left + width), max(box[3], top + height)
    box[4].append(f[11])
for left, top, right, bottom, words in lines.values():
    print((left + right) // 4 + '"$x"', (top + bottom) // 4 + '"$y"', " ".join(words))
')
read_back=$(squeeze <<<"$ocr_lines")
for line in "${wanted[@]}"; do
  want=$(printf '%s' "$line" | squeeze)
  grep -qF "$want" <<<"$read_back" || fail "'$line' not read back from the screen"
  # Hovering the text as drawn reads that text.
  read -r hx hy _ < <(while read -r cx cy text; do
    [[ "$(squeeze <<<"$text")" == *"$want"* ]] && echo "$cx $cy"; done <<<"$ocr_lines")
  heard=$(qd hover "$hx" "$hy" | sed -n 's/^text|//p')
  [ "$heard" = "$line" ] || fail "hovering '$line' at $hx,$hy read '$heard'"
done
echo "PASS: 516 x 765 at 144 DPI, verse lines $pitch apart, read back and heard where drawn: ${wanted[*]}"
qd command "$WINDOW_CLASS" "$CMD_EXIT" >/dev/null
expect_exit 0
