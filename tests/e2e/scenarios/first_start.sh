#!/usr/bin/env bash
# A machine that never ran the program: card centred and shown, defaults written,
# autostart entry under the current user, icon in the notification area.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
before=$(date -u +%s)
start_quillane
after=$(date -u +%s)

read -r left top width height visible <<<"$(qd rect QUILLANE)"
expect_eq "$width x $height" "350 x 554" "outer size"
expect_eq "$left,$top" "337,107" "position centred on the 1024x768 desktop"

ref=$(stored_reference)
ok=0
for ((t = before; t <= after; t++)); do
  [ "$ref" = "$(date -u -d "@$t" '+%Y-%m-%d 05:00:%S')" ] && ok=1
done
[ "$ok" = 1 ] || fail "reference $ref is not today 05:00 with the seconds of the start"
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" autostart)" "dword 1" "autostart"
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" version)" "dword 1001" "version"
run=$(reg_value HKCU "$RUN_KEY" Quillane)
case "$run" in
  'sz "'*'\Quillane.exe"') ;;
  *) fail "Run value '$run' is not the program's quoted path" ;;
esac
expect_eq "$(qd tray-icons QUILLANE)" "1" "notification icons of the card"
screenshot first_start
