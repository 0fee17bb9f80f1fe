# Shared by the README's commands and CI: packages, builds, Xvfb and the Wine prefix.
# Source it; it defines functions and changes nothing by itself.

QUILLANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

QUILLANE_PACKAGES=(cmake g++ make clang-format clang-tidy cppcheck googletest libgtest-dev libbenchmark-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-liberation2
  xvfb xauth xdotool imagemagick python3 python3-pil
  diatheke sword-text-kjv sword-text-web clang libclang-rt-14-dev nsis)

say() { printf '\033[1m== %s\033[0m\n' "$*"; }

# Installs what is missing: with apt-get as root, otherwise prints the line to run.
ensure_packages() {
  local missing=() pkg
  for pkg in "${QUILLANE_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root, then again:"
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
  say "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_host() {
  say "Host build (pure logic)"
  cmake --preset host -S "$QUILLANE_ROOT" >/dev/null
  cmake --build "$QUILLANE_ROOT/build/host" -j2
}

# The product, 32-bit, and the same sources for 64-bit Windows with the Windows tests:
# many kernels (this project's machines among them) cannot execute 32-bit code, so
# Wine runs the 64-bit build here.
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
