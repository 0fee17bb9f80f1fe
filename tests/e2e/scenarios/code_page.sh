#!/usr/bin/env bash
# The card's text is Windows-1252 on every system: a copy of the program that can show
# only one card (curly quotes and dashes in its passage), started from a folder named in
# Cyrillic, paints the same pixels under a Japanese locale (ANSI code page 932) as under
# an English one, and its autostart entry names that folder as it is.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
folder='C:\Пример'
mkdir -p one_card "$WINEPREFIX/drive_c/Пример"
qd one-card "$QUILLANE_EXE" "$PWD/one_card/Quillane.exe" >/dev/null || fail "one-card copy"
cp one_card/Quillane.exe "$WINEPREFIX/drive_c/Пример/Quillane.exe"
QUILLANE_EXE="$folder\\Quillane.exe"
clean_settings

shots=()
for locale in en_US.UTF-8 ja_JP.UTF-8; do
  LANG=$locale start_quillane
  settle
  shots+=("$(card_shot "code_page_${locale%%.*}")")
  if [ "$locale" = en_US.UTF-8 ]; then
    expect_eq "$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")" "sz \"$QUILLANE_EXE\"" "autostart entry"
  fi
  qd command "$WINDOW_CLASS" "$CMD_EXIT" >/dev/null
  expect_exit 0
done
differing=$(compare -metric AE "${shots[0]}" "${shots[1]}" null: 2>&1 || true)
expect_eq "$differing" 0 "pixels that differ between the English and the Japanese locale"
echo "PASS: same card under code pages 1252 and 932; autostart names $folder"
