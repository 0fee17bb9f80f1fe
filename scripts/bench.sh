#!/usr/bin/env bash
# Builds and runs every benchmark and prints the figures next to their budgets:
# the pure readers natively (Google Benchmark), paint, decode, memory and start-up
# under Wine (paint and start-up also at 144 DPI), of the 64-bit build and, where Wine's
# 32-bit half runs here, of the 32-bit product, and what the bytes of the 32-bit
# Quillane.exe are. Not a test:
# nothing here fails on a missed budget. docs/performance.md records the figures.
#
#   scripts/bench.sh            everything
#   STARTUP_RUNS=20 scripts/bench.sh
#   QUILLANE_BENCH_BUILD=/path  build folders elsewhere (default: build/)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$QUILLANE_ROOT"

BUILD=${QUILLANE_BENCH_BUILD:-$QUILLANE_ROOT/build}
STARTUP_RUNS=${STARTUP_RUNS:-10}

ensure_packages

# Release trees of their own, without the tests, so a run builds only what it measures.
say "Builds (Release): host benchmarks, 64-bit Windows benchmarks, 32-bit product and benchmarks"
cmake -S . -B "$BUILD/bench-host" -DCMAKE_BUILD_TYPE=Release -DQUILLANE_WERROR=ON \
  -DQUILLANE_TESTS=OFF >/dev/null
cmake --build "$BUILD/bench-host" -j2 --target quillane_host_bench
cmake -S . -B "$BUILD/bench-win64" -DCMAKE_TOOLCHAIN_FILE="$QUILLANE_ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUILLANE_WERROR=ON -DQUILLANE_TESTS=OFF >/dev/null
cmake --build "$BUILD/bench-win64" -j2 --target Quillane quillane_bench quillane_startup_bench
cmake -S . -B "$BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$QUILLANE_ROOT/cmake/mingw-w64-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUILLANE_WERROR=ON -DQUILLANE_TESTS=OFF >/dev/null
cmake --build "$BUILD/win" -j2 --target Quillane quillane_bench quillane_startup_bench

say "Machine"
echo "cores (nproc): $(nproc)"
echo "CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "kernel: $(uname -sr)"
echo "Wine: $("$QUILLANE_WINE" --version)"
wine32_setup
echo "32-bit program: $QUILLANE_WINE32_NOTE"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

say "Host: pure readers over the shipped data (median of 5 repetitions)"
"$BUILD/bench-host/bench/quillane_host_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true

cleanup() { stop_prefix; stop_display; }
trap cleanup EXIT
ensure_display
export WINEPREFIX="$BUILD/bench-win64/wineprefix"
# A prefix made before Wine's 32-bit half was installed has no 32-bit system.
if [ -f "$WINEPREFIX/system.reg" ] && { [ -z "$QUILLANE_WINE32_LOADER" ] ||
  [ -e "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; }; then
  wineserver -p
  warm_prefix
else
  make_prefix "$WINEPREFIX"
fi
win() { "$QUILLANE_WINE" "$@" 2>/dev/null | tr -d '\r'; }
win32() { "$QUILLANE_WINE32_LOADER" "$@" 2>/dev/null | tr -d '\r'; }

say "Wine: paint, decode, memory (64-bit build)"
win "$BUILD/bench-win64/bench/quillane_bench.exe"
if [ -n "$QUILLANE_WINE32_LOADER" ]; then
  say "Wine: paint, decode, memory (32-bit build), $QUILLANE_WINE32_NOTE"
  win32 "$BUILD/win/bench/quillane_bench.exe"
fi

# Each program is started by a bench of its own bitness, which forgets the settings in
# the program's registry view.
say "Wine: start-up of Quillane.exe (64-bit build), $STARTUP_RUNS runs each"
win "$BUILD/bench-win64/bench/quillane_startup_bench.exe" "Z:$BUILD/bench-win64/Quillane.exe" \
  "$STARTUP_RUNS"
win "$BUILD/bench-win64/bench/quillane_startup_bench.exe" "Z:$BUILD/bench-win64/Quillane.exe" \
  "$STARTUP_RUNS" --first-run
if [ -n "$QUILLANE_WINE32_LOADER" ]; then
  say "Wine: start-up of the 32-bit product, $STARTUP_RUNS runs each, $QUILLANE_WINE32_NOTE"
  win32 "$BUILD/win/bench/quillane_startup_bench.exe" "Z:$BUILD/win/Quillane.exe" "$STARTUP_RUNS"
  win32 "$BUILD/win/bench/quillane_startup_bench.exe" "Z:$BUILD/win/Quillane.exe" \
    "$STARTUP_RUNS" --first-run
fi

# At 150 %: the prefix's scale, which Wine reads when its server starts, on a desktop the
# card fits at that scale; the paint at 144 DPI is among the figures above.
scale_prefix() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$2" /f >/dev/null 2>&1
  wineserver -k
  wineserver -w
  wineserver -p
  warm_prefix
}
scale_prefix 144 1600x1200
say "Wine: start-up at 144 DPI (64-bit build), $STARTUP_RUNS runs"
win "$BUILD/bench-win64/bench/quillane_startup_bench.exe" "Z:$BUILD/bench-win64/Quillane.exe" \
  "$STARTUP_RUNS"
if [ -n "$QUILLANE_WINE32_LOADER" ]; then
  say "Wine: start-up at 144 DPI of the 32-bit product, $STARTUP_RUNS runs, $QUILLANE_WINE32_NOTE"
  win32 "$BUILD/win/bench/quillane_startup_bench.exe" "Z:$BUILD/win/Quillane.exe" "$STARTUP_RUNS"
fi
scale_prefix 96 1024x768

say "Size of the 32-bit product, $BUILD/win/Quillane.exe"
exe="$BUILD/win/Quillane.exe"
size=$(stat -c %s "$exe")
budget=$((2 * 1024 * 1024))
echo "file: $size bytes, budget $budget bytes (2 MiB): $((100 * size / budget))%"
stripped=$(mktemp)
i686-w64-mingw32-strip -o "$stripped" "$exe"
echo "without symbols and debug sections (strip): $(stat -c %s "$stripped") bytes"
rm -f "$stripped"
echo "sections:"
i686-w64-mingw32-objdump -h "$exe" | while read -r index name hex _; do
  if [[ ! $index =~ ^[0-9]+$ ]]; then continue; fi
  note=""
  if [ "$name" = .bss ]; then note=" (memory only, not in the file)"; fi
  printf '  %-18s %9d%s\n' "$name" "$((16#$hex))" "$note"
done
echo "resources by type:"
win "$BUILD/bench-win64/bench/quillane_bench.exe" --resources "Z:$exe" | sed 's/^/  /'
