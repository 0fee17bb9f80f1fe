#!/usr/bin/env bash
# Two copies side by side, each with its icon; a translation chosen in one reaches the
# other at its next verse.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
start_quillane
first_pid=$QUILLANE_PID
wine "$QUILLANE_EXE" &
second_pid=$!
for _ in $(seq 1 100); do [ "$(qd count "$WINDOW_CLASS")" = 2 ] && break; sleep 0.1; done
expect_eq "$(qd count "$WINDOW_CLASS")" "2" "windows"
for _ in $(seq 1 50); do [ "$(qd tray-icons "$WINDOW_CLASS")" = 2 ] && break; sleep 0.1; done
expect_eq "$(qd tray-icons "$WINDOW_CLASS")" "2" "notification icons"
screenshot two_copies

# Tell the copies apart by their handles; hide every copy but the one looked at.
mapfile -t windows < <(qd hwnds "$WINDOW_CLASS")
show_only() {
  local w
  for w in "${windows[@]}"; do
    qd post-hwnd "$w" 0x111 "$CMD_TRAY_HIDE" 0 >/dev/null || fail "Hide could not be posted to $w"
  done
  qd post-hwnd "$1" 0x111 "$CMD_TRAY_SHOW" 0 >/dev/null || fail "Show could not be posted to $1"
  settle
}
attribution_ink() {  # dark pixels of the attribution line of the one copy shown
  local x y w h v
  read -r x y w h v <<<"$(qd client-hwnd "$1")" || fail "no client area of $1"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$QUILLANE_SCREENSHOTS/two_copies_card.png"
  $PIXELS dark "$QUILLANE_SCREENSHOTS/two_copies_card.png" 150 322 150 13
}

show_only "${windows[0]}"
[ "$(attribution_ink "${windows[0]}")" -gt 20 ] || fail "no attribution line for 1001"

# The other copy stores code 1000 (no selection in its list): no attribution line.
show_only "${windows[1]}"
qd post-hwnd "${windows[1]}" 0x111 "$CMD_OPTIONS" 0 >/dev/null
qd wait-window Options 5000 >/dev/null || fail "Options did not open"
qd dlg-send Options 1003 0x14E -1 0 >/dev/null
qd dlg-command Options 1 >/dev/null
for _ in $(seq 1 50); do qd wait-window Options 0 >/dev/null || break; sleep 0.1; done
expect_eq "$(reg_value HKLM "$SETTINGS_KEY" version)" "dword 1000" "version"

# The first copy's next verse comes from the other translation. A very long verse can
# reach the attribution line, so look at a few.
show_only "${windows[0]}"
least=100000
for _ in 1 2 3; do
  qd post-hwnd "${windows[0]}" 0x111 "$CMD_NEXT_VERSE" 0 >/dev/null
  settle
  ink=$(attribution_ink "${windows[0]}")
  [ "$ink" -lt "$least" ] && least=$ink
done
[ "$least" -le 5 ] || fail "attribution still drawn after the other copy chose 1000 ($least)"

for w in "${windows[@]}"; do qd post-hwnd "$w" 0x111 "$CMD_EXIT" 0 >/dev/null; done
wait "$first_pid" || fail "first copy's exit code"
wait "$second_pid" || fail "second copy's exit code"
QUILLANE_PID=
