#!/usr/bin/env bash
# A reference two days old: the next timer tick shows a hidden card with a new verse,
# and the new reference reaches the registry at the next Go Forth.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
old="$(date -u -d '2 days ago' '+%Y-%m-%d') 05:00:07"
store_reference "$old"
qd reg-set HKLM "$SETTINGS_KEY" autostart 0 >/dev/null
qd reg-set HKLM "$SETTINGS_KEY" version 1001 >/dev/null
start_quillane
settle
first=$(card_shot rollover_before)
qd command QUILLANE 32770 >/dev/null
qd wait-hidden QUILLANE 5000 >/dev/null || fail "card not hidden"
today=$(date -u '+%Y-%m-%d')
seconds=$(date -u '+%S')
qd post QUILLANE 0x113 100 0 >/dev/null                                            # WM_TIMER
qd wait-visible QUILLANE 5000 >/dev/null || fail "the rollover did not show the card"
settle
second=$(card_shot rollover_after)
changed=$($PIXELS differ "$first" "$second" 13 14 323 300)
awk -v c="$changed" 'BEGIN { exit !(c > 0.02) }' || fail "card did not change ($changed)"
expect_eq "$(stored_reference)" "$old" "registry before the next save"
qd command QUILLANE 12003 >/dev/null                                               # Go Forth
qd wait-hidden QUILLANE 5000 >/dev/null || fail "Go Forth did not hide"
ref=$(stored_reference)
case "$ref" in
  "$today 05:00:$seconds"|"$today 05:00:"??) ;;
  *) fail "reference after Go Forth: $ref" ;;
esac
# A second tick the same day changes nothing.
qd post QUILLANE 0x113 100 0 >/dev/null
settle
[ "$(qd rect QUILLANE | awk '{print $5}')" = 0 ] || fail "a second tick showed the card"
