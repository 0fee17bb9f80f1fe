#!/usr/bin/env bash
# Every way of hiding the card keeps the program running; the icon brings it back.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
start_quillane
settle

caption_click() {  # $1: offset from the window's right edge
  local left top width height visible
  read -r left top width height visible <<<"$(qd rect "$WINDOW_CLASS")"
  xdotool mousemove $((left + width - $1)) $((top + 11)) click 1
}
show_again() {
  qd command "$WINDOW_CLASS" "$CMD_TRAY_SHOW" >/dev/null
  qd wait-visible "$WINDOW_CLASS" 5000 >/dev/null || fail "Show did not bring the card back"
  settle
}

caption_click 12                         # the close box
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "close box did not hide the card"
kill -0 "$QUILLANE_PID" || fail "close box ended the program"
[ "$(qd reg HKLM "$SETTINGS_KEY" timerlow)" != missing ] || fail "settings key gone"
show_again

click_card 200 200
xdotool key alt+F4
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "Alt+F4 did not hide the card"
show_again

caption_click 46                         # the minimise box
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "minimise did not hide the card"
show_again
screenshot hide_show_shown

# The icon's menu: a right click on the icon, then its first item.
read -r ix iy <<<"$(tray_icon_position)"
xdotool mousemove "$ix" "$iy" click 3
settle
screenshot tray_menu_visible
menu_item 1                              # "Hide"
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "Hide in the icon's menu did not hide the card"
xdotool mousemove "$ix" "$iy" click 3
settle
screenshot tray_menu_hidden
menu_item 1                              # "Show"
qd wait-visible "$WINDOW_CLASS" 5000 >/dev/null || fail "Show in the icon's menu did not show the card"

qd command "$WINDOW_CLASS" "$CMD_TRAY_HIDE" >/dev/null
qd wait-hidden "$WINDOW_CLASS" 5000 >/dev/null || fail "CMD_TRAY_HIDE"
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
qd wait-visible "$WINDOW_CLASS" 5000 >/dev/null || fail "double click on the icon did not show the card"

xdotool mousemove "$ix" "$iy" click 3
settle
menu_item 2                              # "Exit"
expect_exit 0
