#!/usr/bin/env bash
# build_installer.sh [--arch x86|amd64] [--exe Quillane.exe] [--out SETUP.exe] [--version X.Y]
# Builds Quillane Setup with makensis from installer/quillane.nsi. The default is the
# shipped installer: x86, build/win/Quillane.exe, "build/release/Quillane Setup X.Y.exe",
# the project's version (the tests give another to make an earlier release).
# --standard-user, for the tests: an installer that takes the user for no administrator.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)

arch=x86
exe=
out=
version=
defines=()
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=$2; shift 2 ;;
    --exe) exe=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --version) version=$2; shift 2 ;;
    --standard-user) defines+=(-DSTANDARD_USER); shift ;;
    *) echo "usage: $0 [--arch x86|amd64] [--exe Quillane.exe] [--out SETUP.exe] [--version X.Y]" >&2; exit 2 ;;
  esac
done

# The product's version, major.minor, from the one place that states it.
version=${version:-$(sed -n 's/^project(Quillane VERSION \([0-9]*\.[0-9]*\).*/\1/p' "$root/CMakeLists.txt")}
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }

case "$arch" in
  x86) exe=${exe:-$root/build/win/Quillane.exe} ;;
  amd64) exe=${exe:-$root/build/win64/Quillane.exe} ;;
  *) echo "unknown arch $arch" >&2; exit 2 ;;
esac
out=${out:-$root/build/release/Quillane Setup $version.exe}
[ -f "$exe" ] || { echo "no $exe: build it first" >&2; exit 1; }
command -v makensis >/dev/null || { echo "makensis is missing (Debian package nsis)" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/Quillane.exe"
# CR LF, so that every Windows editor, old Notepad included, shows the lines.
python3 "$here/package.py" text "$root/LICENSE" "$stage/LICENSE.txt"
python3 "$here/package.py" text "$root/NOTICE" "$stage/NOTICE.txt"
# The installer records each file's time: the last commit's, so a rebuild matches.
export SOURCE_DATE_EPOCH=$(cmake -P "$root"/cmake/reproducible.cmake)
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

mkdir -p "$(dirname "$out")"
makensis -V2 -WX -NOCD \
  "-DARCH=$arch" "-DEXE=$stage/Quillane.exe" "-DSTAGE=$stage" "-DVERSION=$version" \
  "-DICON=$root/resources/icons/quillane.ico" "-DOUTFILE=$(realpath -m "$out")" "${defines[@]}" \
  "$here/quillane.nsi"
echo "$out"
