#!/usr/bin/env bash
# Sets everything up, builds, and shows the card under Wine. Without an X display it
# runs in Xvfb and leaves a screenshot instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$QUILLANE_ROOT"

ensure_packages
build_win

exe="$QUILLANE_ROOT/build/win64/Quillane.exe"
driver="$QUILLANE_ROOT/build/win64/tests/e2e/qdriver.exe"
prefix="$QUILLANE_ROOT/build/win64/showprefix"

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="$prefix"
  [ -d "$prefix" ] || { wine wineboot --init >/dev/null 2>&1; wineserver -w; }
  say "Starting Quillane (its icon is in the notification area; Exit is in its menu)"
  exec "$QUILLANE_WINE" "$exe"
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
wine "$exe" &
app=$!
wine "$driver" wait-visible QUILLANE 20000 >/dev/null
sleep 1
shot="$QUILLANE_ROOT/build/win64/card.png"
import -window root "$shot"
wine "$driver" command QUILLANE 105 >/dev/null || true
wait "$app" || true
say "No display here: the card ran in Xvfb. Screenshot: $shot"
