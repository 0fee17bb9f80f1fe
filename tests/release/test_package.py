#!/usr/bin/python3
"""Checks of the release pieces: text line ends, the portable archive, both installers.

Usage: test_package.py TestCase...   (unittest names)
Exits 77, which ctest counts as skipped, when the cases asked for need the 32-bit
program and build/win/Quillane.exe is missing, or makensis for the installers.
"""

import hashlib
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "installer"))
import package  # noqa: E402

PRODUCT = os.path.join(ROOT, "build", "win", "Quillane.exe")
SKIPPED = 77
PE_I386 = 0x14C
PE_AMD64 = 0x8664


def pe_machine(data):
    """The machine field of a PE file's header, or None when it is no PE file."""
    if data[:2] != b"MZ" or len(data) < 0x40:
        return None
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", data, offset + 4)[0]


def read(path):
    with open(path, "rb") as f:
        return f.read()


class TextLineEnds(unittest.TestCase):
    def test_every_line_ends_in_cr_lf(self):
        rows = [
            (b"", b""),
            (b"a", b"a\r\n"),
            (b"a\n", b"a\r\n"),
            (b"a\nb", b"a\r\nb\r\n"),
            (b"a\r\nb\r\n", b"a\r\nb\r\n"),
            (b"a\r\nb\nc\n", b"a\r\nb\r\nc\r\n"),
            (b"a\n\n\nb\n", b"a\r\n\r\n\r\nb\r\n"),
            (b"\n", b"\r\n"),
            # A CR inside a line is text, not a line end.
            (b"a\rb\n", b"a\rb\r\n"),
        ]
        for given, want in rows:
            self.assertEqual(want, package.to_crlf(given), "for %r" % given)

    def test_converting_twice_changes_nothing(self):
        for path in ["README.md", "LICENSE", "NOTICE"]:
            once = package.to_crlf(read(os.path.join(ROOT, path)))
            self.assertEqual(once, package.to_crlf(once), path)


class PortableZip(unittest.TestCase):
    needs_product = True

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.version = package.project_version()

    def make(self, name, *extra):
        out = os.path.join(self.dir.name, name)
        subprocess.run([sys.executable, os.path.join(ROOT, "installer", "package.py"), "zip",
                        "--exe", PRODUCT, "--out", out] + list(extra), check=True)
        return out

    def test_holds_the_program_and_its_texts_in_one_folder(self):
        folder = "Quillane-%s/" % self.version
        with zipfile.ZipFile(self.make("a.zip")) as archive:
            self.assertIsNone(archive.testzip())
            names = archive.namelist()
            self.assertEqual([folder + n for n in
                              ["Quillane.exe", "README.md", "LICENSE.txt", "NOTICE.txt"]], names)
            exe = archive.read(folder + "Quillane.exe")
            self.assertEqual(read(PRODUCT), exe)
            self.assertEqual(PE_I386, pe_machine(exe), "the portable program must be 32-bit")
            for name, source in [("README.md", "README.md"), ("LICENSE.txt", "LICENSE"),
                                 ("NOTICE.txt", "NOTICE")]:
                text = archive.read(folder + name)
                lines = text.split(b"\n")
                self.assertEqual(b"", lines[-1], name)
                bare = [i for i, line in enumerate(lines[:-1]) if not line.endswith(b"\r")]
                self.assertEqual([], bare, "%s: lines without CR" % name)
                self.assertEqual(read(os.path.join(ROOT, source)).rstrip(b"\n"),
                                 text.replace(b"\r\n", b"\n").rstrip(b"\n"), name)

    def test_unzip_reads_it(self):
        # Another reader than the writer's own library: Info-ZIP, where installed.
        if subprocess.run(["sh", "-c", "command -v unzip"], stdout=subprocess.DEVNULL).returncode:
            self.skipTest("no unzip")
        out = self.make("a.zip")
        tested = subprocess.run(["unzip", "-tq", out], stdout=subprocess.PIPE)
        self.assertEqual(0, tested.returncode, tested.stdout.decode())
        listed = subprocess.run(["unzip", "-Z1", out], stdout=subprocess.PIPE, check=True)
        folder = "Quillane-%s/" % self.version
        self.assertEqual([folder + n for n in
                          ["Quillane.exe", "README.md", "LICENSE.txt", "NOTICE.txt"]],
                         listed.stdout.decode().split())

    def test_the_texts_carry_the_licence_and_the_notice(self):
        folder = "Quillane-%s/" % self.version
        with zipfile.ZipFile(self.make("a.zip")) as archive:
            licence = archive.read(folder + "LICENSE.txt").decode("utf-8")
            notice = archive.read(folder + "NOTICE.txt").decode("utf-8")
        self.assertIn("MIT License", licence)
        self.assertIn("Velmora Software", licence)
        for phrase in ["King James Version", "World English Bible", "public domain",
                       "trademark", "unchanged"]:
            self.assertIn(phrase, notice, phrase)

    def test_same_inputs_give_the_same_bytes(self):
        first = read(self.make("a.zip", "--date", "1700000000"))
        second = read(self.make("b.zip", "--date", "1700000000"))
        self.assertEqual(hashlib.sha256(first).hexdigest(), hashlib.sha256(second).hexdigest())

    def test_every_entry_carries_the_given_date(self):
        rows = [
            ("1700000000", (2023, 11, 14, 22, 13, 20)),
            # Before 1980 a zip entry cannot go: the earliest date stands in.
            ("0", (1980, 1, 1, 0, 0, 0)),
        ]
        for date, want in rows:
            with zipfile.ZipFile(self.make("d%s.zip" % date, "--date", date)) as archive:
                for info in archive.infolist():
                    self.assertEqual(want, info.date_time, "%s for --date %s" % (info.filename, date))


class Installers(unittest.TestCase):
    needs_product = True
    needs_makensis = True

    def build(self, arch, out, epoch="1700000000"):
        env = dict(os.environ, SOURCE_DATE_EPOCH=epoch)
        return subprocess.run(["bash", os.path.join(ROOT, "installer", "build_installer.sh"),
                               "--arch", arch, "--exe", PRODUCT, "--out", out],
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env)

    def test_each_architecture_gets_its_own_installer(self):
        with tempfile.TemporaryDirectory() as tmp:
            for arch, machine in [("x86", PE_I386), ("amd64", PE_AMD64)]:
                out = os.path.join(tmp, "Quillane Setup %s.exe" % arch)
                result = self.build(arch, out)
                self.assertEqual(0, result.returncode, "%s: %s" % (arch, result.stdout.decode()))
                data = read(out)
                self.assertEqual(machine, pe_machine(data), arch)
                self.assertIn(b"NullsoftInst", data, arch)
                # It starts without an elevation prompt: only installing for everyone asks.
                level = re.search(rb'requestedExecutionLevel level="(\w+)"', data)
                self.assertEqual(b"asInvoker", level and level.group(1), arch)

    def test_same_inputs_give_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as tmp:
            first, second, later = (os.path.join(tmp, n) for n in ["1.exe", "2.exe", "3.exe"])
            for out, epoch in [(first, "1700000000"), (second, "1700000000"), (later, "1700086400")]:
                result = self.build("x86", out, epoch)
                self.assertEqual(0, result.returncode, result.stdout.decode())
            self.assertEqual(read(first), read(second))
            # The recorded file times do come from SOURCE_DATE_EPOCH.
            self.assertNotEqual(read(first), read(later))

    def test_an_unknown_architecture_builds_nothing(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "setup.exe")
            for arch in ["x64", "arm64", ""]:
                result = self.build(arch, out)
                self.assertNotEqual(0, result.returncode, "--arch %r" % arch)
                self.assertFalse(os.path.exists(out), "--arch %r" % arch)


class Reproducible(unittest.TestCase):
    """Two clean builds of this checkout, in different folders and at different times,
    give the same program, installer and archive, as the release makes them."""
    needs_makensis = True

    def release_in(self, folder):
        build = os.path.join(folder, "build")
        env = {k: v for k, v in os.environ.items() if k != "SOURCE_DATE_EPOCH"}
        for command in [["cmake", "-S", ROOT, "-B", build, "-G", "Unix Makefiles",
                         "-DCMAKE_TOOLCHAIN_FILE=%s/cmake/mingw-w64-i686.cmake" % ROOT,
                         "-DCMAKE_BUILD_TYPE=Release", "-DQUILLANE_TESTS=OFF"],
                        ["cmake", "--build", build, "--target", "Quillane", "-j2"]]:
            done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                  env=env)
            self.assertEqual(0, done.returncode, done.stdout.decode())
        exe = os.path.join(build, "Quillane.exe")
        setup = os.path.join(folder, "Quillane Setup.exe")
        portable = os.path.join(folder, "Quillane-portable.zip")
        subprocess.run(["bash", os.path.join(ROOT, "installer", "build_installer.sh"),
                        "--exe", exe, "--out", setup], stdout=subprocess.DEVNULL, env=env,
                       check=True)
        subprocess.run([sys.executable, os.path.join(ROOT, "installer", "package.py"), "zip",
                        "--exe", exe, "--out", portable], env=env, check=True)
        return [hashlib.sha256(read(path)).hexdigest() for path in [exe, setup, portable]]

    def test_two_clean_builds_give_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
            sums = self.release_in(os.path.join(first, "a"))
            self.assertEqual(sums, self.release_in(os.path.join(second, "elsewhere", "b")),
                             "SHA-256 of Quillane.exe, the installer and the archive")


def missing_needs(cases):
    for name in cases:
        case = getattr(sys.modules[__name__], name.split(".")[0])
        if getattr(case, "needs_product", False) and not os.path.isfile(PRODUCT):
            return "no %s (build the mingw preset first)" % PRODUCT
        if getattr(case, "needs_makensis", False) and subprocess.run(
                ["sh", "-c", "command -v makensis"], stdout=subprocess.DEVNULL).returncode:
            return "no makensis (Debian package nsis)"
    return None


if __name__ == "__main__":
    reason = missing_needs(sys.argv[1:])
    if reason:
        print("skipped: " + reason)
        sys.exit(SKIPPED)
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[1:])
