#!/usr/bin/env bash
# A machine that never ran the program: card centred and shown, defaults written,
# autostart entry under the current user, icon in the notification area.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
before=$(qd now)
start_quillane
after=$(qd now)

read -r left top width height visible <<<"$(qd rect "$WINDOW_CLASS")"
expect_eq "$width x $height" "350 x 554" "outer size"
expect_eq "$left,$top" "337,107" "position centred on the 1024x768 desktop"

expect_reference_between "$before" "$after"
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" autostart)" "dword 1" "autostart"
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" version)" "dword 1001" "version"
run=$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")
case "$run" in
  'sz "'*'\Quillane.exe"') ;;
  *) fail "Run value '$run' is not the program's quoted path" ;;
esac
expect_eq "$(qd tray-icons "$WINDOW_CLASS")" "1" "notification icons of the card"
screenshot first_start
