#!/usr/bin/env bash
# A reference two days old: the next timer tick shows a hidden card with a new verse,
# and the new reference reaches the registry at the next Go Forth.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
old="$(time_py 'print(d.date.fromisoformat(a[:10]) - d.timedelta(2))' "$(qd now)")T05:00:07.000"
store_reference "$old"
qd reg-set HKLM "$SETTINGS_KEY" autostart 0 >/dev/null
qd reg-set HKLM "$SETTINGS_KEY" version 1001 >/dev/null
start_quillane
settle
first=$(card_shot rollover_before)
qd command "$WINDOW_CLASS" "$CMD_TRAY_HIDE" >/dev/null
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "card not hidden"
read -r before after <<<"$(qd now "$WINDOW_CLASS" 0x113 100 0)"                          # WM_TIMER
qd wait-visible "$WINDOW_CLASS" 5000 >/dev/null || fail "the rollover did not show the card"
settle
second=$(card_shot rollover_after)
changed=$($PIXELS differ "$first" "$second" 13 14 323 300)
awk -v c="$changed" 'BEGIN { exit !(c > 0.02) }' || fail "card did not change ($changed)"
expect_eq "$(stored_reference)" "$old" "registry before the next save"
qd command "$WINDOW_CLASS" "$CMD_GO_FORTH" >/dev/null
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "Go Forth did not hide"
expect_reference_between "$before" "$after"
# A second tick the same day changes nothing, once it has been handled.
qd send "$WINDOW_CLASS" 0x113 100 0 >/dev/null
[ "$(qd rect "$WINDOW_CLASS" | awk '{print $5}')" = 0 ] || fail "a second tick showed the card"
