#!/usr/bin/env bash
# Static checks of all our C++: clang-format (no changes wanted), clang-tidy over the
# pure logic (native) and the Win32 code (MinGW headers), cppcheck, and the layer order.
# Run by the test command; `scripts/lint.sh --fix` formats the files instead.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h' | grep -v '^tests/fuzz/corpus/')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi

status=0
echo "== clang-format"
clang-format --dry-run -Werror "${sources[@]}" || status=1

mapfile -t product < <(git ls-files 'core/*.cpp' 'content/*.cpp' 'settings/*.cpp' 'card/*.cpp' 'shell/*.cpp' 'app/*.cpp')
pure=() win=()
for f in "${product[@]}"; do
  case "$f" in *_win.cpp) win+=("$f") ;; *) pure+=("$f") ;; esac
done

echo "== clang-tidy (pure logic)"
cmake -S . -B build/tidy-host -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DQUILLANE_TESTS=OFF >/dev/null
clang-tidy --quiet -p build/tidy-host "${pure[@]}" 2>/dev/null || status=1

echo "== clang-tidy (Win32 code, MinGW-w64 headers)"
cmake -S . -B build/tidy-win -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DQUILLANE_TESTS=OFF >/dev/null
cxx=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | head -n 1)
printf '%s\n' "${win[@]}" | xargs -P 2 -n 4 clang-tidy --quiet -p build/tidy-win \
  --extra-arg=--target=x86_64-w64-mingw32 --extra-arg="-isystem$cxx" \
  --extra-arg="-isystem$cxx/x86_64-w64-mingw32" 2>/dev/null || status=1

echo "== cppcheck"
cppcheck --enable=warning,style,performance,portability --std=c++17 --inline-suppr \
  --suppress=missingIncludeSystem --suppress=unusedFunction --error-exitcode=1 --quiet \
  -I . core content settings card shell app || status=1

echo "== layers"
scripts/check_layers.sh || status=1

[ "$status" -eq 0 ] && echo "lint: clean"
exit "$status"
