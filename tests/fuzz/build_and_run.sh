#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and the address and undefined-behaviour
# sanitizers, straight from the pure sources, and runs them for a bounded time.
#
#   build_and_run.sh build OUT_DIR [TARGET...]
#   build_and_run.sh run OUT_DIR SECONDS [TARGET...]
#
# Without targets, every target. A run starts from the committed seeds in
# tests/fuzz/corpus/<target> and adds what it finds to OUT_DIR/corpus/<target> (the
# committed seeds stay untouched); a failing input goes to OUT_DIR/artifacts.
# Exit status: 0 when every run ends without a finding, 77 when clang's fuzzer runtime
# is missing, otherwise 1. QUILLANE_FUZZ_CXX names the compiler (default clang++).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
CXX=${QUILLANE_FUZZ_CXX:-clang++}
ALL_TARGETS=(verse_collection holiday_calendar passage_lookup holiday_line)

# The pure sources each target is built from.
sources_of() {
  case "$1" in
    verse_collection) echo content/verse_collection.cpp ;;
    holiday_calendar) echo content/holiday_calendar.cpp core/local_time.cpp ;;
    passage_lookup) echo card/passage_lookup.cpp content/translation_table.cpp ;;
    holiday_line) echo card/card_text.cpp content/translation_table.cpp ;;
    *) echo "unknown fuzz target: $1" >&2; return 1 ;;
  esac
}

# Inputs beyond these sizes only slow a target down: the seeds are cut to fit.
max_len_of() {
  case "$1" in
    passage_lookup) echo 256 ;;
    holiday_line) echo 300 ;;
    *) echo 4096 ;;
  esac
}

usage() { sed -n '4,5p' "${BASH_SOURCE[0]}" | sed 's/^# *//' >&2; exit 2; }

[ $# -ge 2 ] || usage
mode=$1 out=$2
shift 2
seconds=0
if [ "$mode" = run ]; then
  [ $# -ge 1 ] || usage
  seconds=$1
  shift
elif [ "$mode" != build ]; then
  usage
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${ALL_TARGETS[@]}")

if ! command -v "$CXX" >/dev/null 2>&1 ||
   ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
     "$CXX" -x c++ -fsanitize=fuzzer -o /dev/null - >/dev/null 2>&1; then
  echo "$CXX with the libFuzzer runtime is missing (packages clang, libclang-rt-14-dev)" >&2
  exit 77
fi

mkdir -p "$out/bin"
flags=(-std=c++17 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=all -Wall -Wextra -Wpedantic -Werror -I "$ROOT")

# Rebuilds a target when its binary is missing or older than any file it comes from.
build() {
  local target=$1 binary=$out/bin/$1 srcs=() src
  for src in $(sources_of "$target"); do srcs+=("$ROOT/$src"); done
  srcs+=("$ROOT/tests/fuzz/${target}_fuzz.cpp")
  if [ -x "$binary" ] && [ -z "$(find "${srcs[@]}" "$ROOT"/app/*.h "$ROOT"/content/*.h \
       "$ROOT"/card/*.h "$ROOT/tests/fuzz/fuzz_check.h" -newer "$binary" 2>/dev/null)" ]; then
    return 0
  fi
  echo "building $target"
  "$CXX" "${flags[@]}" "${srcs[@]}" -o "$binary"
}

for target in "${targets[@]}"; do build "$target"; done
[ "$mode" = run ] || exit 0

status=0
for target in "${targets[@]}"; do
  corpus=$out/corpus/$target
  mkdir -p "$corpus" "$out/artifacts"
  echo "== $target: ${seconds} s"
  if ! "$out/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -max_len="$(max_len_of "$target")" -print_final_stats=1 \
       -artifact_prefix="$out/artifacts/$target-" \
       "$corpus" "$ROOT/tests/fuzz/corpus/$target"; then
    echo "== $target: FINDING, input in $out/artifacts/" >&2
    status=1
  fi
done
exit $status
