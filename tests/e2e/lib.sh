# Helpers for the end-to-end scenarios; ctest sets QUILLANE_EXE, QDRIVER,
# QUILLANE_SCREENSHOTS, QUILLANE_WINE, and the test command sets WINEPREFIX and DISPLAY.
set -euo pipefail

SETTINGS_KEY='Software\Velmora Software\Quillane'
RUN_KEY='Software\Microsoft\Windows\CurrentVersion\Run'
QUILLANE_PID=

fail() { echo "FAIL: $*" >&2; exit 1; }
wine() { "$QUILLANE_WINE" "$@"; }
qd() { wine "$QDRIVER" "$@" 2>/dev/null | tr -d '\r'; }

# Every scenario starts from a machine that never ran the program.
clean_settings() {
  qd reg-delete HKLM "$SETTINGS_KEY" >/dev/null || true
  qd reg-delete HKLM "$RUN_KEY" Quillane >/dev/null || true
  qd reg-delete HKCU "$RUN_KEY" Quillane >/dev/null || true
}

start_quillane() {
  wine "$QUILLANE_EXE" "$@" &
  QUILLANE_PID=$!
  qd wait-visible QUILLANE 20000 >/dev/null || fail "no visible QUILLANE window"
}

screenshot() {
  mkdir -p "$QUILLANE_SCREENSHOTS"
  import -window root "$QUILLANE_SCREENSHOTS/$1.png"
  echo "screenshot: $QUILLANE_SCREENSHOTS/$1.png"
}

# Waits for the program to end and checks its exit code.
expect_exit() {
  local want=$1 code=0
  wait "$QUILLANE_PID" || code=$?
  [ "$code" -eq "$want" ] || fail "exit code $code, expected $want"
}

# Ends whatever is left if a scenario fails half-way.
end_quillane() {
  if [ -n "$QUILLANE_PID" ] && kill -0 "$QUILLANE_PID" 2>/dev/null; then
    qd command QUILLANE 105 >/dev/null || true
    qd wait-gone QUILLANE 5000 >/dev/null || kill "$QUILLANE_PID" 2>/dev/null || true
  fi
}
trap end_quillane EXIT
