#!/usr/bin/env bash
# The card without a mouse: real keys reach each button, a screen reader reads the card,
# and Ctrl+C copies the verse. A mouse user sees the faces as they always were.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
record_browser
start_quillane
settle

read_card() { qd read "$WINDOW_CLASS" || fail "the card has no accessible object"; }
expect_focus() { expect_eq "$(qd focus "$WINDOW_CLASS")" "$1" "focus after $2"; }
key() { xdotool key "$1"; settle; }

reader=$(read_card)
echo "$reader"
expect_eq "$(cut -d'|' -f1 <<<"$reader" | tr '\n' ' ')" \
  "text text text text text text text text button button button " "roles in reading order"
expect_eq "$(sed -n '4p;9,11p' <<<"$reader" | tr '\n' ',')" \
  "text|Upcoming Events:,button|Context,button|Next verse,button|Go Forth," "heading and buttons"
[[ $(sed -n 2p <<<"$reader") =~ ^text\|[1-3A-Z].*\ [0-9]+:[0-9]+ ]] || fail "no reference"
[[ $(sed -n 3p <<<"$reader") == "text|*Taken from the "* ]] || fail "no attribution"
[ "$(sed -n '5,8p' <<<"$reader" | grep -cE '^text\|[0-9]{2}/[0-9]{2}  ')" -eq 4 ] ||
  fail "no four holiday lines"
passage=$(sed -n 1p <<<"$reader")
[ ${#passage} -gt 20 ] || fail "no passage: '$passage'"

# A click on Context gives it the focus, and the card must look exactly as before.
before=$(card_shot keys_before)
click_card 57 377
expect_eq "$(browser_address)" "$(head -n 1 "$BROWSER_LOG")" "Context by mouse"
settle
clicked=$(card_shot keys_after_click)
expect_focus "$CMD_CONTEXT" "the click"
expect_eq "$($PIXELS differ "$before" "$clicked" 0 0 342 500)" "0.0000" "card after a click"

key Tab
tabbed=$(card_shot keys_after_tab)
expect_focus "$CMD_NEXT_VERSE" "Tab"
arrow=$($PIXELS differ "$clicked" "$tabbed" 147 362 46 31)
awk -v c="$arrow" 'BEGIN { exit !(c > 0) }' || fail "no focus rectangle on the arrow"
expect_eq "$($PIXELS differ "$clicked" "$tabbed" 0 0 342 361)" "0.0000" "card above the buttons"
for step in "Tab:$CMD_GO_FORTH" "Tab:$CMD_CONTEXT" "shift+Tab:$CMD_GO_FORTH" \
  "shift+Tab:$CMD_NEXT_VERSE" "shift+Tab:$CMD_CONTEXT"; do
  key "${step%%:*}"
  expect_focus "${step#*:}" "${step%%:*}"
done

rm -f "$BROWSER_LOG"
key Return                               # on Context
browser_address >/dev/null
key Tab
for press in Return space; do
  watch="$QUILLANE_SCREENSHOTS/announced"
  : >"$watch"
  # Not through qd, whose filter would hold "ready" back until the driver ends.
  "${QDRIVER_WINE:-$QUILLANE_WINE}" "$QDRIVER" name-change "$WINDOW_CLASS" 10000 >"$watch" 2>/dev/null &
  watcher=$!
  for _ in $(seq 1 100); do [ -s "$watch" ] && break; sleep 0.05; done
  key "$press"                           # on the arrow
  wait "$watcher" || fail "$press on the arrow: no new passage announced"
  after=$(read_card | sed -n 1p)
  [ "$after" != "$passage" ] || fail "$press on the arrow: the passage read the same"
  passage=$after
done

xdotool key ctrl+c
sleep 0.5
expect_eq "$(qd clipboard)" "$(read_card | sed -n '1,3p' | cut -d'|' -f2-)" "copied verse"

qd reg-delete HKLM "$SETTINGS_KEY" timerlow >/dev/null
key Tab
key space                                # on Go Forth
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "Space on Go Forth did not hide the card"
[ "$(stored_reference)" != missing ] || fail "Go Forth by key did not save the settings"

qd command "$WINDOW_CLASS" "$CMD_TRAY_SHOW" >/dev/null
qd wait-visible "$WINDOW_CLASS" 5000 >/dev/null || fail "Show"
settle
expect_focus "$CMD_NEXT_VERSE" "Show"
xdotool key Escape
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "Escape did not hide the card"
kill -0 "$QUILLANE_PID" || fail "Escape ended the program"
