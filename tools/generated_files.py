"""Writes a generator's files, or with --check compares them with the committed ones."""

import argparse
import os
import sys


def run(build, default_outdir, description, what, argv=None):
    """build() gives {file name: bytes}; `what` names them in the up-to-date message."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--outdir", default=default_outdir)
    parser.add_argument("--check", action="store_true",
                        help="compare with the files instead of writing them")
    args = parser.parse_args(argv)
    status = 0
    for name, data in sorted(build().items()):
        path = os.path.join(args.outdir, name)
        if args.check:
            try:
                with open(path, "rb") as handle:
                    same = handle.read() == data
            except OSError:
                same = False
            if not same:
                print("%s differs from the generator's output" % path, file=sys.stderr)
                status = 1
            continue
        with open(path, "wb") as handle:
            handle.write(data)
        print("wrote %s (%d bytes)" % (path, len(data)))
    if args.check and status == 0:
        print("%s are up to date" % what)
    return status
