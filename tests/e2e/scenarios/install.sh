#!/usr/bin/env bash
# Quillane Setup, built from the program under test (QUILLANE_ARCH: x86, the shipped one,
# or amd64), in both modes: for the current user (the default) and for everyone
# (/AllUsers). In each, a silent install,
# the first start from the installed folder, a silent reinstall and a silent uninstall
# while the program runs; then the interactive way, the mode chosen on its page: the
# finish page starts the program, and the uninstaller removes the settings when the user
# says so. Then upgrades from an earlier release: over an install for everyone, over a
# per-user one, with two copies running, with a copy slow to leave and with the program
# held open.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

# The variant under test: x86, the shipped one, for the 32-bit program (its folder and
# registry view are the 32-bit ones), or amd64 for the 64-bit build; reg.exe is told the view.
arch=${QUILLANE_ARCH:-amd64}
case $arch in
  x86) program_files='Program Files (x86)' reg_view=/reg:32 ;;
  *) program_files='Program Files' reg_view=/reg:64 ;;
esac
UNINSTALL_KEY='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillane'
ALL_USERS_DIR="C:\\$program_files\\Quillane"
setup="$PWD/installer/Quillane Setup $arch.exe"
version=$(sed -n 's/^project(Quillane VERSION \([0-9]*\.[0-9]*\).*/\1/p' \
  "$QUILLANE_SOURCE_DIR/CMakeLists.txt")
SETUP_PID=
HOLDER=
GIVEN_FOLDER='C:\Apps\Quillane'
IFS='|' read -r LOCAL_APPDATA APPDATA <<<"$(wine cmd /c 'echo %LOCALAPPDATA%^|%APPDATA%' | tr -d '\r')"

# "C:\..." as a path in this prefix.
unix_path() { local rest=${1#?:\\}; echo "$WINEPREFIX/drive_c/${rest//\\//}"; }

# The places of an install for MODE: "user", the current user, or "all", everyone (in
# GIVEN_DIR, given with /D=, where that is set).
use_mode() {
  MODE=$1
  if [ "$MODE" = user ]; then
    INSTALL_DIR="$LOCAL_APPDATA\\Programs\\Quillane"
    ROOT=HKCU
    SWITCHES=()
    shortcut="$(unix_path "$APPDATA")/Microsoft/Windows/Start Menu/Programs/Quillane.lnk"
  else
    INSTALL_DIR=${GIVEN_DIR:-$ALL_USERS_DIR}
    ROOT=HKLM
    SWITCHES=(/AllUsers ${GIVEN_DIR:+"/D=$GIVEN_DIR"})
    shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillane.lnk"
  fi
  INSTALLED_EXE="$INSTALL_DIR\\Quillane.exe"
  unix_dir=$(unix_path "$INSTALL_DIR")
}

elapsed() { awk -v from="$1" -v to="$(date +%s.%N)" 'BEGIN { printf "%.1f", to - from }'; }

# The uninstaller runs from a copy in the temp folder while the process that was started
# returns at once; this finds that copy among this prefix's processes.
uninstaller_running() {
  local pid
  for pid in $(pgrep -f '\\Un\.exe' || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

wait_uninstaller_done() {
  local _
  for _ in $(seq 1 300); do uninstaller_running || return 0; sleep 0.1; done
  fail "the uninstaller did not finish within 30 s"
}

remove_install() {
  end_quillane
  if [ -n "$HOLDER" ]; then release_program; fi
  # A copy the finish page started is no child of this script.
  if [ "$(qd count "$WINDOW_CLASS")" != 0 ]; then
    qd command "$WINDOW_CLASS" "$CMD_EXIT" >/dev/null || true
    qd wait-gone "$WINDOW_CLASS" 5000 >/dev/null || true
  fi
  if [ -n "$SETUP_PID" ] && kill -0 "$SETUP_PID" 2>/dev/null; then kill "$SETUP_PID" || true; fi
  wait_uninstaller_done || true
  rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/~nsu*.tmp
  local mode
  for mode in user all; do
    use_mode $mode
    rm -rf "$unix_dir"
    rm -f "$shortcut"
    qd reg-delete $ROOT "$UNINSTALL_KEY" >/dev/null || true
  done
  rm -rf "$(unix_path "$GIVEN_FOLDER")"
  clean_settings
}
trap remove_install EXIT

# The uninstall entry in one look, "Name|sz TEXT" or "Name|dword N" a line, in the
# view the installer writes.
uninstall_entry() {
  local line
  wine reg query "$ROOT\\$UNINSTALL_KEY" $reg_view 2>/dev/null | tr -d '\r' |
    while IFS= read -r line; do
      if [[ $line =~ ^\ {4}([^ ]+)\ {4}REG_SZ\ {4}(.*)$ ]]; then
        echo "${BASH_REMATCH[1]}|sz ${BASH_REMATCH[2]}"
      elif [[ $line =~ ^\ {4}([^ ]+)\ {4}REG_DWORD\ {4}(0x[0-9a-fA-F]+)$ ]]; then
        echo "${BASH_REMATCH[1]}|dword $((BASH_REMATCH[2]))"
      fi
    done
}

installed_files() { (cd "$unix_dir" 2>/dev/null && ls | sort | tr '\n' ' '); }

expect_installed() {
  expect_eq "$(installed_files)" "LICENSE.txt NOTICE.txt Quillane.exe Uninstall.exe " "installed files"
  cmp -s "$QUILLANE_EXE" "$unix_dir/Quillane.exe" || fail "the installed program is not the one built"
  [ -f "$shortcut" ] || fail "no Start-menu shortcut"
  grep -qaF "$INSTALLED_EXE" "$shortcut" || fail "the shortcut does not point at $INSTALLED_EXE"
  local entry name want
  entry=$(uninstall_entry)
  while IFS='|' read -r name want; do
    expect_eq "$(sed -n "s/^$name|//p" <<<"$entry")" "$want" "uninstall entry $name"
  done <<EOF
DisplayName|sz Quillane
DisplayVersion|sz $version
Publisher|sz Velmora Software
DisplayIcon|sz $INSTALLED_EXE,0
InstallLocation|sz $INSTALL_DIR
UninstallString|sz "$INSTALL_DIR\\Uninstall.exe"
QuietUninstallString|sz "$INSTALL_DIR\\Uninstall.exe" /S
EOF
  # In KiB, as the uninstall list shows it.
  local bytes
  bytes=$(cat "$unix_dir"/* | wc -c)
  expect_eq "$(sed -n 's/^EstimatedSize|//p' <<<"$entry")" "dword $((bytes / 1024))" \
    "uninstall entry EstimatedSize"
  expect_nothing_of "$([ "$MODE" = user ] && echo all || echo user)"
}

# Nothing of an install for the given mode is there.
expect_nothing_of() (
  use_mode "$1"
  [ ! -e "$unix_dir" ] || fail "$MODE: left in the program folder: $(installed_files)"
  [ ! -e "$shortcut" ] || fail "$MODE: the Start-menu shortcut is left"
  expect_eq "$(reg_value $ROOT "$UNINSTALL_KEY" DisplayName)" "missing" "$MODE: uninstall entry"
)

expect_removed() {
  expect_nothing_of user
  expect_nothing_of all
  expect_eq "$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")" "missing" "Run value of the user"
  expect_eq "$(reg_value HKLM "$RUN_KEY" "$AUTOSTART_VALUE")" "missing" "Run value of the machine"
}

# The dialog of the installer or uninstaller, and the message box it may show over it.
dialogs() { qd hwnds '#32770'; }

# Holds the installed program open, as another program may, until release_program.
hold_program() {
  local held=$PWD/installer/held.txt _
  rm -f "$held"
  "${QDRIVER_WINE:-$QUILLANE_WINE}" "$QDRIVER" hold "$INSTALLED_EXE" 60000 >"$held" 2>/dev/null &
  HOLDER=$!
  for _ in $(seq 1 100); do grep -q held "$held" 2>/dev/null && break; sleep 0.1; done
  grep -q held "$held" || fail "could not hold $INSTALLED_EXE open"
}

release_program() {
  kill "$HOLDER" 2>/dev/null || true
  wait "$HOLDER" 2>/dev/null || true
}

# Presses the default button of the wizard until its window is gone; a press on a page
# whose button is disabled (files still being copied) does nothing.
press_through() {
  local _ dialog
  for _ in $(seq 1 100); do
    dialog=$(dialogs | head -n 1)
    [ -n "$dialog" ] || return 0
    qd post-hwnd "$dialog" 0x111 1 0 >/dev/null || true
    sleep 0.3
  done
  fail "the wizard did not finish"
}

# Presses the wizard's default button until a control with TEXT shows; prints its handle.
press_to() {
  local _ found
  for _ in $(seq 1 20); do
    if found=$(qd wait-text "$1" 300); then echo "$found"; return 0; fi
    qd post-hwnd "$(dialogs | head -n 1)" 0x111 1 0 >/dev/null || true
  done
  fail "no page shows \"$1\""
}

# A silent install for MODE, the first start from the installed folder, a silent
# reinstall and a silent uninstall while the program runs, as the uninstall list runs it.
silent_install_and_uninstall() {
  use_mode "$1"
  start=$(date +%s.%N)
  wine "$setup" /S "${SWITCHES[@]}" || fail "$MODE: silent install failed with $?"
  echo "$MODE: silent install in $(elapsed "$start") s"
  expect_installed

  # The first start from the installed folder registers that path for autostart.
  QUILLANE_EXE="$INSTALLED_EXE" start_quillane
  expect_eq "$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")" "sz \"$INSTALLED_EXE\"" "Run value after the first start"
  expect_eq "$(reg_value HKLM "$SETTINGS_KEY" version)" "dword 1001" "settings of the first start"
  screenshot "install_${MODE}_started"

  # Installing again over a running copy asks it to leave first, and starts it again.
  wine "$setup" /S "${SWITCHES[@]}" || fail "$MODE: silent reinstall failed with $?"
  expect_exit 0
  expect_installed
  expect_started_again

  QUILLANE_EXE="$INSTALLED_EXE" start_quillane
  local quiet uninstaller
  quiet=$(reg_value $ROOT "$UNINSTALL_KEY" QuietUninstallString)
  quiet=${quiet#sz }
  uninstaller=${quiet#\"}
  uninstaller=${uninstaller%%\"*}
  start=$(date +%s.%N)
  wine "$uninstaller" ${quiet##*\" } || fail "$MODE: silent uninstall failed with $?"
  qd wait-gone "$WINDOW_CLASS" 15000 >/dev/null || fail "$MODE: the uninstaller left the running copy alone"
  expect_exit 0
  wait_uninstaller_done
  echo "$MODE: silent uninstall in $(elapsed "$start") s"
  expect_removed
  expect_eq "$(reg_value HKLM "$SETTINGS_KEY" version)" "dword 1001" "settings kept by a silent uninstall"
}

# The wizard for MODE, chosen on its page (the current user is the default): the finish
# page offers to start the program, ticked; the uninstaller closes it and, told "Yes",
# removes the settings too.
interactive_install_and_uninstall() {
  use_mode "$1"
  clean_settings
  wine "$setup" &
  SETUP_PID=$!
  qd wait-window "Quillane Setup $version" 20000 >/dev/null || fail "no setup window"
  local everyone x y _ w h
  everyone=$(press_to "Install for &everyone who uses this computer")
  if [ "$MODE" = all ]; then
    read -r x y _ h _ <<<"$(qd client-hwnd "$everyone")"
    xdotool mousemove $((x + 6)) $((y + h / 2)) click 1
  else
    screenshot install_users_page
  fi
  press_through
  wait "$SETUP_PID" || fail "$MODE: interactive install failed with $?"
  SETUP_PID=
  qd wait-visible "$WINDOW_CLASS" 20000 >/dev/null || fail "$MODE: the finish page did not start Quillane"
  expect_installed
  expect_eq "$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")" "sz \"$INSTALLED_EXE\"" "Run value after the finish page"
  screenshot "install_${MODE}_finish_page_started"

  wine "$INSTALL_DIR\\Uninstall.exe" || fail "uninstaller failed to start"
  for _ in $(seq 1 100); do [ -n "$(dialogs)" ] && break; sleep 0.1; done
  local wizard question=
  wizard=$(dialogs | head -n 1)
  [ -n "$wizard" ] || fail "no uninstall window"
  qd post-hwnd "$wizard" 0x111 1 0 >/dev/null
  for _ in $(seq 1 200); do
    question=$(dialogs | grep -vxF "$wizard" | head -n 1 || true)
    [ -n "$question" ] && break
    sleep 0.1
  done
  [ -n "$question" ] || fail "no question about the settings"
  expect_eq "$(qd count "$WINDOW_CLASS")" "0" "windows left when the uninstaller asks"
  screenshot "uninstall_${MODE}_question"
  qd post-hwnd "$question" 0x111 6 0 >/dev/null
  press_through
  wait_uninstaller_done
  expect_removed
  expect_eq "$(reg_value HKLM "$SETTINGS_KEY" version)" "missing" "settings after Yes"
}

# The installer starts the card it closed again, from the installed folder: the path the
# card registers for autostart as it leaves.
expect_started_again() {
  qd wait-visible "$WINDOW_CLASS" 20000 >/dev/null || fail "$MODE: the closed card was not started again"
  qd command "$WINDOW_CLASS" "$CMD_EXIT" >/dev/null || true
  qd wait-gone "$WINDOW_CLASS" 5000 >/dev/null || fail "$MODE: the card started again did not exit"
  expect_eq "$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")" "sz \"$INSTALLED_EXE\"" \
    "Run value of the card started again"
}

# Upgrades from an earlier release (version 5.1, a program of other bytes) in every way
# a machine with a history has: each leaves one install, with the new program.
upgrades() {
  local old_exe=$PWD/installer/Quillane-5.1-$arch.exe old_setup=$PWD/installer/Quillane-5.1-$arch-setup.exe
  python3 -c 'import sys; d = bytearray(open(sys.argv[1], "rb").read()); d[-1] ^= 1
open(sys.argv[2], "wb").write(d)' "$QUILLANE_EXE" "$old_exe"
  bash "$QUILLANE_SOURCE_DIR/installer/build_installer.sh" --arch "$arch" --exe "$old_exe" \
    --out "$old_setup" --version 5.1 >/dev/null

  # Plain /S where Quillane is installed for everyone upgrades that install.
  use_mode all
  wine "$old_setup" /S /AllUsers || fail "earlier release: install for everyone failed with $?"
  wine "$setup" /S || fail "/S over an install for everyone failed with $?"
  expect_installed

  # For everyone over a per-user install: the per-user copy goes, and the card it ran
  # runs again from the new folder.
  remove_install
  use_mode user
  wine "$old_setup" /S || fail "earlier release: install for the current user failed with $?"
  QUILLANE_EXE="$INSTALLED_EXE" start_quillane
  use_mode all
  wine "$setup" /S /AllUsers || fail "/S /AllUsers over a per-user install failed with $?"
  expect_exit 0
  expect_installed
  # Autostart stays on: the Run value the closed card left names the new copy before the
  # card started again leaves and writes it.
  expect_eq "$(reg_value HKCU "$RUN_KEY" "$AUTOSTART_VALUE")" "sz \"$INSTALLED_EXE\"" \
    "Run value after the move to everyone"
  expect_started_again

  # With two copies of the earlier program running, both leave and the program is replaced.
  wine "$old_setup" /S || fail "earlier release over the new one failed with $?"
  cmp -s "$old_exe" "$unix_dir/Quillane.exe" || fail "the earlier program was not installed"
  QUILLANE_EXE="$INSTALLED_EXE" start_quillane
  wine "$INSTALLED_EXE" &
  local second=$! code=0
  # A loaded machine can take many seconds to start a second Wine process; one that
  # ended instead is a fault of its own, told by its exit code.
  for _ in $(seq 1 300); do
    [ "$(qd count "$WINDOW_CLASS")" = 2 ] && break
    kill -0 "$QUILLANE_PID" 2>/dev/null || fail "the first copy ended before the second showed"
    if ! kill -0 "$second" 2>/dev/null; then
      wait "$second" || code=$?
      fail "the second copy ended with $code before its window showed"
    fi
    sleep 0.1
  done
  expect_eq "$(qd count "$WINDOW_CLASS")" 2 "copies running before the upgrade"
  wine "$setup" /S || fail "/S with two copies running failed with $?"
  expect_exit 0
  wait "$second" || fail "the second copy's exit code"
  expect_installed
  expect_started_again

  # A card whose window goes seconds before its process lets go of Quillane.exe: the
  # install waits for the process.
  cp "$QDRIVER" "$unix_dir/Quillane.exe"
  "${QDRIVER_WINE:-$QUILLANE_WINE}" "$INSTALLED_EXE" linger 3000 &
  local lingering=$!
  qd wait-visible "$WINDOW_CLASS" 20000 >/dev/null || fail "no window of the card slow to leave"
  wine "$setup" /S || fail "/S with a card slow to leave failed with $?"
  wait "$lingering" || fail "the card slow to leave ended with $?"
  expect_installed
  expect_started_again

  # A program that cannot be replaced stops a silent install: it says so by its exit
  # code, the uninstall entry still tells the earlier version, and the card it closed
  # runs again.
  wine "$old_setup" /S || fail "earlier release over the new one failed with $?"
  QUILLANE_EXE="$INSTALLED_EXE" start_quillane
  local code=0
  hold_program
  wine "$setup" /S || code=$?
  release_program
  [ "$code" -ne 0 ] || fail "a silent install that could not replace the program exited 0"
  expect_eq "$(reg_value $ROOT "$UNINSTALL_KEY" DisplayVersion)" "sz 5.1" \
    "uninstall entry after a failed upgrade"
  cmp -s "$old_exe" "$unix_dir/Quillane.exe" || fail "the held program changed"
  expect_exit 0
  expect_started_again
  echo "upgrades: over everyone's install, over a per-user one, two copies running, slow to" \
    "leave, held open ($code)"
  remove_install
}

clean_settings
remove_install

start=$(date +%s.%N)
bash "$QUILLANE_SOURCE_DIR/installer/build_installer.sh" --arch "$arch" --exe "$QUILLANE_EXE" \
  --out "$setup" >/dev/null
echo "installer built in $(elapsed "$start") s"

for mode in user all; do
  silent_install_and_uninstall $mode
  clean_settings
done
for mode in user all; do interactive_install_and_uninstall $mode; done
# For everyone through the elevation prompt, as a user who is no administrator meets it:
# the rest of the work, a card to start again, the user's Run value, is the first copy's.
# The folder given with /D= goes with it.
standard_user_setup="$PWD/installer/Quillane Setup $arch standard user.exe"
bash "$QUILLANE_SOURCE_DIR/installer/build_installer.sh" --arch "$arch" --exe "$QUILLANE_EXE" \
  --out "$standard_user_setup" --standard-user >/dev/null
GIVEN_DIR=$GIVEN_FOLDER setup=$standard_user_setup silent_install_and_uninstall all
# Started as another account than the desktop's user, Setup refuses an install just for
# that account; the same account is every run above.
code=0
wine "$standard_user_setup" /S /DesktopAccount=S-1-5-21-1-2-3-1001 || code=$?
expect_eq "$code" 5 "exit code of a per-user install for another account than the desktop's"
expect_nothing_of user
# An uninstall that cannot delete the program leaves it for the restart: a silent one says
# so with 3010 (194 in Wine's exit status of 8 bits). Its code is seen where it runs in
# place, which "_?=" asks for only in a folder without spaces (it takes no quotes).
GIVEN_DIR=$GIVEN_FOLDER use_mode all
wine "$standard_user_setup" /S /AllUsers "/D=$INSTALL_DIR" || fail "install into $INSTALL_DIR failed with $?"
hold_program
code=0
wine "$INSTALL_DIR\\Uninstall.exe" /S "_?=$INSTALL_DIR" || code=$?
release_program
qd reg-delete HKLM 'System\CurrentControlSet\Control\Session Manager' PendingFileRenameOperations \
  >/dev/null || true
expect_eq "$code" $((3010 % 256)) "exit code of an uninstall left for the restart"
expect_eq "$(reg_value $ROOT "$UNINSTALL_KEY" DisplayName)" "missing" \
  "uninstall entry after an uninstall left for the restart"
remove_install
upgrades
echo "PASS: installed for the current user and for everyone, started from the installed" \
  "folder, reinstalled, uninstalled silently and interactively"
