#!/usr/bin/env bash
# The first time the card is hidden, the icon tells in a balloon where it went; the
# second time it says nothing, and the setting remembers it.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
start_quillane
settle

# "left top right bottom" of the visible balloon (a tooltip window of the shell), if there
# is one within $1 ms.
balloon_rect() {
  local i line
  for i in $(seq 1 $(($1 / 100))); do
    line=$(qd windows all | grep '^tooltips_class32|' | head -n 1)
    if [ -n "$line" ]; then
      echo "${line##*|}"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

qd command "$WINDOW_CLASS" "$CMD_TRAY_HIDE" >/dev/null
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "Hide did not hide the card"
rect=$(balloon_rect 8000) || fail "no balloon after the first hide"
settle
shot=$(screenshot hide_tip_balloon | sed 's/^screenshot: //')
read -r left top right bottom <<<"$rect"
squeeze() { tr -cd '[:alnum:]\n' | tr '[:upper:]' '[:lower:]'; }
read_back=$(convert "$shot" -crop "$((right - left))x$((bottom - top))+$left+$top" \
  -resize 300% -colorspace Gray "$shot.ocr.png" && tesseract "$shot.ocr.png" - 2>/dev/null | squeeze)
for line in "Quillane is still running" "Double-click this icon to show today's verse again." \
  "Right-click it to exit Quillane."; do
  want=$(printf '%s' "$line" | squeeze)
  grep -qF "$want" <<<"$read_back" || fail "'$line' not read back from the balloon: $read_back"
done
[ "$(qd reg HKLM "$SETTINGS_KEY" hidetip)" = "dword 1" ] || fail "the first hide not remembered"

# It goes by itself (10 s at the least; Wine's balloon does not go at a click).
deadline=$((SECONDS + 40))
while balloon_rect 100 >/dev/null; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the balloon stayed for 40 s"
  sleep 0.2
done

qd command "$WINDOW_CLASS" "$CMD_TRAY_SHOW" >/dev/null
qd wait-visible "$WINDOW_CLASS" 5000 >/dev/null || fail "Show did not bring the card back"
settle
qd command "$WINDOW_CLASS" "$CMD_TRAY_HIDE" >/dev/null
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "Hide did not hide the card again"
balloon_rect 4000 >/dev/null && fail "a balloon after the second hide"
screenshot hide_tip_second

qd command "$WINDOW_CLASS" "$CMD_EXIT" >/dev/null
expect_exit 0
echo "PASS: the balloon read back after the first hide, none after the second"
