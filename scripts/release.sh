#!/usr/bin/env bash
# release.sh [FOLDER]: builds and tests everything (scripts/test.sh), then writes the
# 32-bit installer, the portable archive and their SHA-256 sums into FOLDER
# (build/release by default), and prints the SHA-256 of the program and of both.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
out=$(realpath -m "${1:-$QUILLANE_ROOT/build/release}")
cd "$QUILLANE_ROOT"

bash scripts/test.sh

say "Release into $out"
if [ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]; then
  echo "warning: the checkout has uncommitted changes; this release does not match a commit"
fi
exe=build/win/Quillane.exe
bash scripts/check_product.sh "$exe"
version=$(sed -n 's/^project(Quillane VERSION \([0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
setup="Quillane Setup $version.exe"
portable="Quillane-$version-portable.zip"
mkdir -p "$out"
rm -f "$out/$setup" "$out/$portable" "$out/SHA256SUMS"

# Files in both carry the last commit's time, as the program's link time does (set when
# build/win was configured), so a rebuild of the same commit matches.
export SOURCE_DATE_EPOCH=$(cmake -P ./cmake/reproducible.cmake)
bash installer/build_installer.sh --arch x86 --exe "$exe" --out "$out/$setup" >/dev/null
/usr/bin/python3 installer/package.py zip --exe "$exe" --out "$out/$portable"

(cd "$out" && sha256sum "$setup" "$portable" >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
ls -l "$out"
# What a rebuild of this commit must give, byte for byte.
say "SHA-256 (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH, commit $(git rev-parse --short HEAD 2>/dev/null || echo none))"
sha256sum "$exe" "$out/$setup" "$out/$portable"
