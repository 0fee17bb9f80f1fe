#!/usr/bin/env bash
# The three picture buttons, clicked where a user clicks them.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
record_browser
start_quillane
settle
# Never drawn, but what a screen reader says.
for pair in "$CMD_NEXT_VERSE:Next verse" "$CMD_GO_FORTH:Go Forth" "$CMD_CONTEXT:Context"; do
  expect_eq "$(qd child-text "$WINDOW_CLASS" "${pair%%:*}")" "${pair#*:}" "text of button ${pair%%:*}"
done
# Chosen behind the program's back: the arrow's new verse reads it, and Context sends it.
qd reg-set HKLM "$SETTINGS_KEY" version 1002 >/dev/null

first=$(card_shot buttons_before)
click_card 170 377            # the arrow
settle
second=$(card_shot buttons_after_arrow)
changed=$($PIXELS differ "$first" "$second" 13 14 323 270)
awk -v c="$changed" 'BEGIN { exit !(c > 0.02) }' || fail "verse area did not change after the arrow ($changed)"

click_card 57 377             # Context
address=$(browser_address)
[[ "$address" =~ ^https://www\.biblegateway\.com/bible\?passage=[A-Za-z0-9+]+\+[0-9]+\&version=KJV$ ]] ||
  fail "address '$address'"
echo "browser got: $address"

rm -f "$BROWSER_LOG"
qd reg-delete HKLM "$SETTINGS_KEY" timerlow >/dev/null
click_card 289 377            # Go Forth
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "card not hidden by Go Forth"
[ "$(stored_reference)" != missing ] || fail "Go Forth did not save the settings"
kill -0 "$QUILLANE_PID" || fail "program ended"
screenshot buttons_hidden
