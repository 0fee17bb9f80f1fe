# Shared by the README's commands and CI: packages, builds, Xvfb and the Wine prefix.
# Source it; it defines functions and changes nothing by itself.

QUILLANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

QUILLANE_PACKAGES=(cmake g++ make clang-format clang-tidy cppcheck googletest libgtest-dev libbenchmark-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-liberation2
  xvfb xauth xdotool imagemagick python3 python3-pil
  diatheke sword-text-kjv sword-text-web clang libclang-rt-14-dev nsis locales tesseract-ocr)
# The locales the end-to-end tests start the program under (Wine takes the ANSI code
# page from them: 1252 and 932).
QUILLANE_LOCALES=(en_US ja_JP)

source "$QUILLANE_ROOT/scripts/program_facts.sh"

say() { printf '\033[1m== %s\033[0m\n' "$*"; }

# Installs what is missing: with apt-get as root, otherwise prints the line to run.
# Wine's 32-bit half (and qemu-user where this kernel cannot run it) comes along
# unless QUILLANE_WINE32=none.
ensure_packages() {
  local wanted=("${QUILLANE_PACKAGES[@]}") missing=() pkg way
  way=$(wine32_way) || exit 2
  case $way in
    native) wanted+=(wine32:i386) ;;
    qemu) wanted+=(wine32:i386 qemu-user) ;;
  esac
  for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    ensure_locales
    return 0
  fi
  local add_i386=
  if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    add_i386=1
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root, then again:"
    echo "  ${add_i386:+sudo dpkg --add-architecture i386 && }sudo apt-get update &&" \
      "sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
  say "Installing: ${missing[*]}"
  if [ -n "$add_i386" ]; then dpkg --add-architecture i386; fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  ensure_locales
}

ensure_locales() {
  local name
  for name in "${QUILLANE_LOCALES[@]}"; do
    locale -a 2>/dev/null | grep -qix "$name.utf-\?8" && continue
    if [ "$(id -u)" -ne 0 ]; then
      echo "Missing locale $name.UTF-8. Run: sudo localedef -i $name -f UTF-8 $name.UTF-8"
      exit 1
    fi
    localedef -i "$name" -f UTF-8 "$name.UTF-8"
  done
}

build_host() {
  say "Host build (pure logic)"
  cmake --preset host -S "$QUILLANE_ROOT" >/dev/null
  cmake --build "$QUILLANE_ROOT/build/host" -j2
}

# The product, 32-bit, and the same sources for 64-bit Windows with the Windows tests,
# which Wine runs on every kernel; the end-to-end tests run both programs.
build_win() {
  say "Windows build, 32-bit product (MinGW-w64 i686)"
  cmake --preset mingw -S "$QUILLANE_ROOT" >/dev/null
  cmake --build "$QUILLANE_ROOT/build/win" -j2
  say "Windows build, 64-bit with tests (MinGW-w64 x86_64)"
  cmake --preset mingw64 -S "$QUILLANE_ROOT" >/dev/null
  cmake --build "$QUILLANE_ROOT/build/win64" -j2
}

QUILLANE_XVFB_PID=
# Starts Xvfb when there is no display; GUI programs under Wine exit at once without one.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  QUILLANE_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    [ -e "/tmp/.X11-unix/X${n}" ] && return 0
    sleep 0.05
  done
}

# Wine's 64-bit loader and server, named directly: the "wine" wrapper prefers a
# 32-bit loader when one is installed, even where the kernel cannot run it.
QUILLANE_WINE=/usr/lib/wine/wine64
export WINELOADER=$QUILLANE_WINE
export WINESERVER=/usr/lib/wine/wineserver64
wine() { "$QUILLANE_WINE" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# Runs (through "$@", if given) a static i386 program of 96 bytes that exits with 42:
# whether i386 code runs here is found by trying, never from uname.
i386_runs() {
  local probe=$QUILLANE_ROOT/build/probe/exit42-i386 code=0
  if [ ! -x "$probe" ]; then
    mkdir -p "$(dirname "$probe")"
    {
      # ELF header: 32-bit, little-endian, executable, i386, entry 0x08048054.
      printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
      printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
      printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
      # One loadable segment: the whole file at 0x08048000, readable and executable.
      printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
      printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
      # mov ebx, 42; mov eax, 1 (exit); int 0x80
      printf '\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80'
    } >"$probe.new"
    chmod +x "$probe.new"
    mv "$probe.new" "$probe"
  fi
  "$@" "$probe" >/dev/null 2>&1 || code=$?
  [ "$code" -eq 42 ]
}

# How Wine runs the shipped 32-bit program here: "native" where this kernel executes
# i386 code, else "qemu" (Wine's 32-bit loader under qemu-user). QUILLANE_WINE32=
# native|qemu|none chooses instead, so that every way can be tried on one machine.
wine32_way() {
  case "${QUILLANE_WINE32:-}" in
    native | qemu | none) echo "$QUILLANE_WINE32" ;;
    "") if i386_runs; then echo native; else echo qemu; fi ;;
    *)
      echo "QUILLANE_WINE32 is native, qemu or none, not '$QUILLANE_WINE32'" >&2
      return 1
      ;;
  esac
}

# Sets QUILLANE_WINE32_LOADER, what runs a 32-bit program (empty where nothing can),
# and QUILLANE_WINE32_NOTE, the way in words or why there is none. Under qemu-user,
# WINELOADER names a wrapper that runs the 32-bit loader emulated, and "wine64" beside
# it runs the 64-bit one: every process Wine starts finds its loader by that name.
wine32_setup() {
  local way chosen=${QUILLANE_WINE32:+ (QUILLANE_WINE32=$QUILLANE_WINE32)}
  way=$(wine32_way) || return 1
  QUILLANE_WINE32_LOADER=
  if [ "$way" = none ]; then
    QUILLANE_WINE32_NOTE="skipped$chosen"
  elif [ ! -x /usr/lib/wine/wine ]; then
    QUILLANE_WINE32_NOTE="skipped: Wine's 32-bit half is not installed (package wine32:i386)"
  elif [ "$way" = native ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
      QUILLANE_WINE32_LOADER=/usr/lib/wine/wine
      QUILLANE_WINE32_NOTE="natively${chosen:- (this kernel executes i386 code)}"
    else
      QUILLANE_WINE32_NOTE="skipped: Wine's 32-bit loader does not start natively$chosen"
    fi
  elif ! command -v qemu-i386 >/dev/null; then
    QUILLANE_WINE32_NOTE="skipped: this kernel runs no i386 code and qemu-user is not installed"
  elif ! i386_runs qemu-i386; then
    QUILLANE_WINE32_NOTE="skipped: qemu-i386 does not run i386 code here"
  else
    local dir=$QUILLANE_ROOT/build/wine-qemu
    mkdir -p "$dir"
    # WINELOADERNOEXEC: the loader's restart of itself would leave the emulator where
    # the kernel runs i386 code (where it does not, the restart ends up here anyway).
    # -R: the low 2 GB a 32-bit program uses, and a little above for the emulator;
    # with all 4 GB, Wine's reservation of the upper half takes minutes under qemu.
    printf '#!/bin/sh\nWINELOADERNOEXEC=1 exec qemu-i386 -R 0x80400000 /usr/lib/wine/wine "$@"\n' \
      >"$dir/wine.new"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$dir/wine64.new"
    chmod +x "$dir/wine.new" "$dir/wine64.new"
    mv "$dir/wine.new" "$dir/wine"
    mv "$dir/wine64.new" "$dir/wine64"
    if qemu-i386 /usr/lib/wine/wine --version >/dev/null 2>&1; then
      QUILLANE_WINE32_LOADER=$dir/wine
      QUILLANE_WINE32_NOTE="under qemu-user${chosen:- (this kernel executes no i386 code)}"
      export WINELOADER=$dir/wine
    else
      QUILLANE_WINE32_NOTE="skipped: Wine's 32-bit loader does not start under qemu-i386"
    fi
  fi
}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Makes a fresh Wine prefix at $1 with a virtual desktop (a window manager and a
# task bar for the notification icon), and keeps its server alive for the run.
make_prefix() {
  export WINEPREFIX="$1"
  stop_prefix
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  say "Wine prefix $WINEPREFIX"
  wine wineboot --init >/dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  wineserver -p
  warm_prefix
}

# Starts the prefix's background processes (services, device and plug-and-play
# managers) with nothing attached: started by a test instead, they would inherit
# ctest's output pipe and hold it open, and ctest would wait for them.
warm_prefix() {
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Keeps the prefix's desktop open until the prefix stops, with its explorer started here
# with nothing attached. Wine closes a desktop shortly after its last program ends: a test
# that starts while it closes cannot create a window, and one that opens it again hands
# ctest's output pipe to that explorer. $1 is the test driver (64-bit).
keep_desktop() {
  local said="$WINEPREFIX/keep_desktop.txt" i
  rm -f "$said"
  wine "$1" keep-desktop 86400000 </dev/null >"$said" 2>/dev/null &
  for i in $(seq 1 200); do
    grep -q open "$said" 2>/dev/null && return 0
    sleep 0.1
  done
  say "the desktop did not open; each test may open it again"
}

stop_prefix() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
}

stop_display() {
  if [ -n "$QUILLANE_XVFB_PID" ]; then
    kill "$QUILLANE_XVFB_PID" 2>/dev/null || true
    wait "$QUILLANE_XVFB_PID" 2>/dev/null || true
    QUILLANE_XVFB_PID=
  fi
}
