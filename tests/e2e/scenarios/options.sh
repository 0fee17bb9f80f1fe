#!/usr/bin/env bash
# The Options dialog, the About shortcuts and Exit from the menu bar.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
start_quillane
settle
open_options() {
  qd command "$WINDOW_CLASS" "$CMD_OPTIONS" >/dev/null
  qd wait-window Options 5000 >/dev/null || fail "Options did not open"
}
close_options() {
  qd dlg-command Options "$1" >/dev/null
  for _ in $(seq 1 50); do qd wait-window Options 0 >/dev/null || break; sleep 0.1; done
  settle
}

# Another translation: "version" written, a new verse over the same picture.
before=$(card_shot options_before)
open_options
expect_eq "$(qd dlg-send Options 1003 0x147 0 0)" "0" "selection shown for 1001"    # CB_GETCURSEL
qd dlg-send Options 1003 0x14E 1 0 >/dev/null                                      # CB_SETCURSEL
screenshot options_dialog
close_options 1
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" version)" "dword 1002" "version after OK"
after=$(card_shot options_after)
verse=$($PIXELS differ "$before" "$after" 13 14 323 300)
picture=$($PIXELS background-differ "$before" "$after" 13 14 323 280)
awk -v v="$verse" 'BEGIN { exit !(v > 0.01) }' || fail "verse did not change ($verse)"
awk -v p="$picture" 'BEGIN { exit !(p < 0.05) }' || fail "picture changed ($picture)"

# Cancel changes nothing.
qd reg-delete HKLM "$SETTINGS_KEY" timerlow >/dev/null
open_options
qd dlg-send Options 1003 0x14E 5 0 >/dev/null
qd dlg-send Options 1004 0xF1 0 0 >/dev/null                                       # BM_SETCHECK
close_options 2
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" version)" "dword 1002" "version after Cancel"
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" timerlow)" "missing" "timerlow after Cancel"
[ "$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")" != missing ] || fail "Cancel removed the Run value"

# Clearing the check box removes the autostart entry.
open_options
expect_eq "$(qd dlg-send Options 1004 0xF0 0 0)" "1" "check box shows autostart"    # BM_GETCHECK
qd dlg-send Options 1004 0xF1 0 0 >/dev/null
close_options 1
expect_eq "$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")" "missing" "Run value after clearing"
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" autostart)" "dword 0" "autostart after clearing"

# Alt+? and Alt+/ open About, also after a click has given a button the keyboard focus.
for key in alt+question alt+slash; do
  click_card 170 377            # the arrow
  xdotool key "$key"
  qd wait-window About 5000 >/dev/null || fail "$key did not open About"
  screenshot "about_${key/+/_}"
  qd dlg-command About 1 >/dev/null
  for _ in $(seq 1 50); do qd wait-window About 0 >/dev/null || break; sleep 0.1; done
done

# Exit from the menu bar: settings saved, icon gone, exit code 0.
hwnd=$(qd hwnds "$WINDOW_CLASS" | head -n 1)
qd reg-delete HKLM "$SETTINGS_KEY" timerlow >/dev/null
click_card 200 200
xdotool key alt+m x
expect_exit 0
[ "$(reg_value HKLM "$SETTINGS_KEY" timerlow)" != missing ] || fail "Exit did not save"
expect_eq "$(qd tray-icon-hwnd "$hwnd")" "0" "icon after Exit"
