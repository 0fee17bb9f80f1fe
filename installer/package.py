#!/usr/bin/python3
"""Pieces of a Quillane release that are not the installer.

Usage:
    package.py text SOURCE DEST         copy a text file with CR LF line ends
    package.py zip --exe EXE --out ZIP [--version X.Y] [--date EPOCH]
                                        the portable archive: one folder Quillane-X.Y
                                        with Quillane.exe, README.md, LICENSE.txt and
                                        NOTICE.txt

The archive is reproducible: fixed entry order, attributes and timestamps (--date, else
SOURCE_DATE_EPOCH, else 1980-01-01), so the same inputs give the same bytes.
"""

import argparse
import calendar
import os
import re
import sys
import time
import zipfile

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# (name in the archive, file in the checkout); text files get CR LF line ends because
# the program also runs on systems whose Notepad knows no other.
TEXT_FILES = [
    ("README.md", "README.md"),
    ("LICENSE.txt", "LICENSE"),
    ("NOTICE.txt", "NOTICE"),
]

# The earliest time a zip entry can hold: 1980-01-01.
ZIP_EPOCH = calendar.timegm((1980, 1, 1, 0, 0, 0))


def to_crlf(data):
    """Every line ends in CR LF, whatever it ended in before; a missing last one is added."""
    lines = data.replace(b"\r\n", b"\n").split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    return b"".join(line + b"\r\n" for line in lines)


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
        match = re.search(r"project\(Quillane VERSION (\d+)\.(\d+)", f.read())
    if not match:
        raise SystemExit("no project version in CMakeLists.txt")
    return "%s.%s" % match.groups()


def zip_entries(exe, version):
    """(archive name, bytes) of every entry, in archive order."""
    folder = "Quillane-%s/" % version
    with open(exe, "rb") as f:
        entries = [(folder + "Quillane.exe", f.read())]
    for name, source in TEXT_FILES:
        with open(os.path.join(ROOT, source), "rb") as f:
            entries.append((folder + name, to_crlf(f.read())))
    return entries


def write_zip(path, entries, epoch):
    stamp = time.gmtime(max(epoch, ZIP_EPOCH))[:6]
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0
            info.external_attr = 0
            archive.writestr(info, data, compresslevel=9)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    text = commands.add_parser("text")
    text.add_argument("source")
    text.add_argument("dest")
    archive = commands.add_parser("zip")
    archive.add_argument("--exe", required=True)
    archive.add_argument("--out", required=True)
    archive.add_argument("--version")
    archive.add_argument("--date", type=int,
                         default=int(os.environ.get("SOURCE_DATE_EPOCH", ZIP_EPOCH)))
    args = parser.parse_args(argv)

    if args.command == "text":
        with open(args.source, "rb") as f:
            data = to_crlf(f.read())
        with open(args.dest, "wb") as f:
            f.write(data)
        return 0
    write_zip(args.out, zip_entries(args.exe, args.version or project_version()), args.date)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
