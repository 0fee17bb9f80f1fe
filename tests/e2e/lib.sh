# Helpers for the end-to-end scenarios; ctest sets QUILLANE_EXE, QDRIVER,
# QUILLANE_SCREENSHOTS, QUILLANE_WINE, and the test command sets WINEPREFIX and DISPLAY.
# QDRIVER_WINE runs the driver where its bitness differs from the program's.
set -eEuo pipefail
# A command that ends a scenario under set -e says which, where no FAIL line would.
trap 'echo "FAIL: exit status $? at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR

# The command ids, window class, settings key and Run value, from the program's headers.
QUILLANE_ROOT=${QUILLANE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$QUILLANE_ROOT/scripts/program_facts.sh"
QUILLANE_PID=

fail() { echo "FAIL: $*" >&2; exit 1; }
wine() { "$QUILLANE_WINE" "$@"; }
qd() { "${QDRIVER_WINE:-$QUILLANE_WINE}" "$QDRIVER" "$@" 2>/dev/null | tr -d '\r'; }

# Every scenario starts from a machine that never ran the program.
clean_settings() {
  qd reg-delete HKLM "$SETTINGS_KEY" >/dev/null || true
  qd reg-delete HKLM "$RUN_KEY" "$AUTOSTART_VALUE" >/dev/null || true
  qd reg-delete HKCU "$RUN_KEY" "$AUTOSTART_VALUE" >/dev/null || true
}

start_quillane() {
  wine "$QUILLANE_EXE" "$@" &
  QUILLANE_PID=$!
  qd wait-visible "$WINDOW_CLASS" 20000 >/dev/null || fail "no visible $WINDOW_CLASS window"
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
    qd command "$WINDOW_CLASS" "$CMD_EXIT" >/dev/null || true
    qd wait-gone "$WINDOW_CLASS" 5000 >/dev/null || kill "$QUILLANE_PID" 2>/dev/null || true
  fi
}
trap end_quillane EXIT

PIXELS="/usr/bin/python3 $(dirname "${BASH_SOURCE[0]}")/pixels.py"

# "X Y" of the card's client area on the screen (the virtual desktop sits at 0,0).
client_origin() { qd client "$WINDOW_CLASS" | awk '{print $1, $2}'; }

# Clicks at a point of the card's client area (button 1 by default).
click_card() {
  local x y
  read -r x y <<<"$(client_origin)"
  xdotool mousemove $((x + $1)) $((y + $2)) click "${3:-1}"
}

# The program stores the local wall-clock reading as 100-ns ticks since 1601 with no zone
# applied; these read and write it as "YYYY-MM-DDTHH:MM:SS.mmm", the form `qd now` prints.
# time_py CODE ARG: Python with datetime as d, the start of 1601 as e and ARG as a.
time_py() {
  python3 -c "import sys, datetime as d; e = d.datetime(1601, 1, 1); a = sys.argv[1]; $1" "$2"
}

stored_reference() {
  local low high
  low=$(qd reg HKLM "$SETTINGS_KEY" timerlow | awk '{print $2}')
  high=$(qd reg HKLM "$SETTINGS_KEY" timerhigh | awk '{print $2}')
  [ -n "$low" ] && [ -n "$high" ] || { echo missing; return; }
  time_py 'print((e + d.timedelta(0, 0, int(a) // 10)).isoformat("T", "milliseconds"))' \
    $(((high << 32) | low))
}

store_reference() {
  local ticks
  ticks=$(time_py 'print((d.datetime.fromisoformat(a) - e) // d.timedelta(0, 0, 1) * 10)' "$1")
  qd reg-set HKLM "$SETTINGS_KEY" timerlow $((ticks & 0xFFFFFFFF)) >/dev/null
  qd reg-set HKLM "$SETTINGS_KEY" timerhigh $((ticks >> 32)) >/dev/null
}

# Fails unless the stored reference is a moment from $1 to $2 (less than a minute apart, as
# `qd now` prints them) moved to 05:00: that moment's date, seconds and milliseconds.
expect_reference_between() {
  local ref hm moment
  ref=$(stored_reference)
  for hm in "${1:0:16}" "${2:0:16}"; do
    moment=$hm${ref:16}
    if [ "${ref:0:16}" = "${hm:0:10}T05:00" ] && [[ ! $moment < $1 && ! $moment > $2 ]]; then
      echo "reference $ref, moment from $1 to $2"
      return 0
    fi
  done
  fail "reference $ref is not a moment from $1 to $2 at 05:00"
}

# Wine hands web addresses to the programs listed under WineBrowser; ours appends each
# address to $BROWSER_LOG, which starts empty.
record_browser() {
  BROWSER_LOG="$QUILLANE_SCREENSHOTS/browser.log"
  mkdir -p "$QUILLANE_SCREENSHOTS"
  rm -f "$BROWSER_LOG"
  local recorder="$QUILLANE_SCREENSHOTS/record_browser.sh"
  printf '#!/bin/sh\necho "$1" >> "%s"\n' "$BROWSER_LOG" >"$recorder"
  chmod +x "$recorder"
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$recorder" /f >/dev/null 2>&1
}

# Waits up to 10 s for an address to reach the browser and prints the first.
browser_address() {
  for _ in $(seq 1 100); do [ -s "$BROWSER_LOG" ] && break; sleep 0.1; done
  [ -s "$BROWSER_LOG" ] || fail "no address reached the browser"
  head -n 1 "$BROWSER_LOG"
}

reg_value() { qd reg "$@" || true; }

expect_eq() { [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"; }

# Screenshot of the card's client area alone, for pixel checks.
card_shot() {
  local x y w h
  read -r x y w h <<<"$(qd client "$WINDOW_CLASS")"
  mkdir -p "$QUILLANE_SCREENSHOTS"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$QUILLANE_SCREENSHOTS/$1.png"
  echo "$QUILLANE_SCREENSHOTS/$1.png"
}

# Waits until the screen stops changing (a paint or a menu has finished): polls
# until three screenshots a tenth of a second apart agree; fails after 50 looks (5 s if idle).
settle() {
  local last="" now i same=0
  for i in $(seq 1 50); do
    now=$(import -window root rgb:- 2>/dev/null | md5sum)
    if [ "$now" = "$last" ]; then
      same=$((same + 1))
      [ "$same" -ge 2 ] && return 0
    else
      same=0
    fi
    last=$now
    sleep 0.1
  done
  fail "the screen kept changing for 50 looks"
}

# "X Y" of the notification icon: Wine's desktop keeps its task bar along the bottom
# of the screen and the icons at its right end, the first one outermost.
tray_icon_position() {
  local w h
  read -r w h <<<"$(xdotool getdisplaygeometry)"
  echo "$((w - 11)) $((h - 10))"
}

# Clicks item N of the icon's two-item menu, which opens above the icon and, at the
# screen's right edge, to its left.
menu_item() {
  local ix iy
  read -r ix iy <<<"$(tray_icon_position)"
  xdotool mousemove $((ix - 30)) $((iy - 37 + ($1 - 1) * 16)) click 1
}
