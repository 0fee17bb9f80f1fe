#!/usr/bin/env bash
# Sets everything up, builds, and shows the card under Wine: the shipped 32-bit program
# where Wine's 32-bit half runs here (natively or under qemu-user), else the 64-bit
# build. Without an X display it runs in Xvfb and leaves a screenshot instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$QUILLANE_ROOT"

ensure_packages
build_win

driver="$QUILLANE_ROOT/build/win64/tests/e2e/qdriver.exe"
prefix="$QUILLANE_ROOT/build/win64/showprefix"
wine32_setup
if [ -n "$QUILLANE_WINE32_LOADER" ]; then
  exe="$QUILLANE_ROOT/build/win/Quillane.exe"
  loader=$QUILLANE_WINE32_LOADER
  say "The shipped 32-bit program, $QUILLANE_WINE32_NOTE"
  # A prefix made before Wine's 32-bit half was installed has no 32-bit system.
  if [ -d "$prefix" ] && [ ! -e "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
  fi
else
  exe="$QUILLANE_ROOT/build/win64/Quillane.exe"
  loader=$QUILLANE_WINE
  say "The 64-bit build; the 32-bit program: $QUILLANE_WINE32_NOTE"
fi

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="$prefix"
  [ -d "$prefix" ] || { wine wineboot --init >/dev/null 2>&1; wineserver -w; }
  say "Starting Quillane (its icon is in the notification area; Exit is in its menu)"
  exec "$loader" "$exe"
fi

cleanup() { stop_prefix; stop_display; }
trap cleanup EXIT
ensure_display
if [ -d "$prefix" ]; then
  export WINEPREFIX="$prefix"
  wineserver -p || true
  warm_prefix
else
  make_prefix "$prefix"
fi
"$loader" "$exe" &
app=$!
wine "$driver" wait-visible "$WINDOW_CLASS" 20000 >/dev/null
sleep 1
shot="$QUILLANE_ROOT/build/win64/card.png"
import -window root "$shot"
wine "$driver" command "$WINDOW_CLASS" "$CMD_EXIT" >/dev/null || true
wait "$app" || true
say "No display here: the card ran in Xvfb. Screenshot: $shot"
