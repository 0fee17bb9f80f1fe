#!/usr/bin/env bash
# Start, find the card at its size, screenshot it, leave through Exit with code 0.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
clean_settings
start_quillane
read -r left top width height visible <<<"$(qd rect "$WINDOW_CLASS")"
[ "$width" -eq 350 ] && [ "$height" -eq 554 ] || fail "outer size ${width}x${height}"
[ "$visible" -eq 1 ] || fail "card not visible"
screenshot start_exit
qd command "$WINDOW_CLASS" "$CMD_EXIT" >/dev/null
expect_exit 0
qd wait-gone "$WINDOW_CLASS" 5000 >/dev/null || fail "window still there after Exit"
echo "PASS: card at $left,$top size ${width}x${height}, exit code 0"
