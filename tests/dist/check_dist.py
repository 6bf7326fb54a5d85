#!/usr/bin/env python3
"""The release as a user gets it: build/win/dist/Backtracker.exe and the archive of make dist.

Usage: check_dist.py BUILD_DIR SOURCE_DIR
"""
import hashlib
import os
import re
import struct
import sys
import unittest
import zipfile

BUILD = SOURCE = None

# DLLs that every Windows has; the program may use nothing else.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll", "ole32.dll",
               "oleaut32.dll", "shell32.dll", "wininet.dll", "msvcrt.dll",
               "crypt32.dll", "bcrypt.dll", "comdlg32.dll"}
# Needed by commands only: loaded when first called, not at start.
LOADED_BY_COMMANDS = {"wininet.dll", "shell32.dll", "oleaut32.dll", "crypt32.dll", "bcrypt.dll", "comdlg32.dll"}
MOST_BYTES = 1_300_000  # the owner's limit: 1.3 MB


class Image:
    """Just enough of a PE32+ file: header fields, sections, imports and delayed imports."""

    def __init__(self, path):
        self.data = open(path, "rb").read()
        d = self.data
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        assert d[pe:pe + 4] == b"PE\0\0", "not a PE file"
        (_, self.section_count, _, self.symbol_table, self.symbol_count, optional_size,
         _) = struct.unpack_from("<HHIIIHH", d, pe + 4)
        optional = pe + 24
        assert struct.unpack_from("<H", d, optional)[0] == 0x20B, "not PE32+"
        count = struct.unpack_from("<I", d, optional + 108)[0]
        self.directories = [struct.unpack_from("<II", d, optional + 112 + 8 * i) for i in range(count)]
        self.sections = []
        for i in range(self.section_count):
            name, vsize, va, raw_size, raw = struct.unpack_from("<8sIIII", d, optional + optional_size + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("latin-1"), va, max(vsize, raw_size), raw, raw_size))

    def offset(self, rva):
        for _, va, size, raw, raw_size in self.sections:
            if va <= rva < va + size and rva - va < raw_size:
                return raw + rva - va
        return None

    def string(self, rva):
        at = self.offset(rva)
        if at is None:
            return None
        end = self.data.find(b"\0", at, at + 260)
        return self.data[at:end].decode("latin-1") if end > at else None

    def imports(self):
        rva, size = self.directories[1]
        names, at = [], self.offset(rva)
        while size and at is not None:
            fields = struct.unpack_from("<IIIII", self.data, at)
            if not any(fields):
                break
            names.append(self.string(fields[3]).lower())
            at += 20
        return names

    def delayed_imports(self):
        """The delay-load descriptors: from the directory when the linker filled it in, else
        found by their shape (RVA-based, a DLL's name, module handle, address table and name
        table inside the image, no time stamp)."""
        def valid(rva):
            return self.offset(rva) is not None

        def read(at):
            return struct.unpack_from("<8I", self.data, at)

        rva, _ = self.directories[13] if len(self.directories) > 13 else (0, 0)
        names = []
        if rva:
            at = self.offset(rva)
            while any(read(at)):
                names.append(self.string(read(at)[1]).lower())
                at += 32
            return names
        for _, _, _, raw, raw_size in self.sections:
            for at in range(raw, raw + raw_size - 32, 4):
                attrs, name, hmod, iat, int_, _, _, stamp = read(at)
                if attrs != 1 or stamp or not all(valid(x) for x in (name, hmod, iat, int_)):
                    continue
                text = self.string(name)
                if text and re.fullmatch(r"[\w.-]+\.dll", text, re.I):
                    names.append(text.lower())
        return names


def version_from_header():
    text = open(os.path.join(SOURCE, "res", "version.h"), encoding="utf-8").read()
    parts = re.search(r"#define BT_VERSION_BINARY\s+(\d+),(\d+),(\d+),(\d+)", text).groups()
    return ".".join(parts)


class DistExe(unittest.TestCase):
    def setUp(self):
        self.path = os.path.join(BUILD, "dist", "Backtracker.exe")
        self.image = Image(self.path)

    def test_has_no_symbol_table_and_no_debug_information(self):
        self.assertEqual((self.image.symbol_table, self.image.symbol_count), (0, 0))
        names = [s[0] for s in self.image.sections]
        self.assertFalse([n for n in names if n.startswith((".debug", "/"))], names)
        self.assertEqual(self.image.directories[6], (0, 0), "debug directory")

    def test_imports_only_system_dlls_and_loads_the_commands_ones_late(self):
        imports, delayed = self.image.imports(), self.image.delayed_imports()
        self.assertIn("kernel32.dll", imports)
        self.assertLessEqual(set(imports) | set(delayed), SYSTEM_DLLS)
        self.assertEqual(set(delayed), LOADED_BY_COMMANDS)
        self.assertFalse(set(imports) & LOADED_BY_COMMANDS)

    def test_is_at_most_1_1_MB(self):
        self.assertLessEqual(os.path.getsize(self.path), MOST_BYTES)


class DistArchive(unittest.TestCase):
    def test_holds_exactly_the_program_and_its_readmes_under_the_version_of_the_header(self):
        archive = os.path.join(BUILD, f"Backtracker-{version_from_header()}.zip")
        self.assertTrue(os.path.isfile(archive), f"{archive} missing: make dist makes it")
        with zipfile.ZipFile(archive) as z:
            self.assertIsNone(z.testzip())
            self.assertEqual(sorted(z.namelist()), ["Backtracker.exe", "readme-en.txt", "readme.txt"])
            for name in z.namelist():
                with open(os.path.join(BUILD, "dist", name), "rb") as f:
                    self.assertEqual(z.read(name), f.read(), name)
        digest = hashlib.sha256(open(archive, "rb").read()).hexdigest()
        with open(archive + ".sha256", encoding="ascii") as f:
            self.assertEqual(f.read(), f"{digest}  {os.path.basename(archive)}\n")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    BUILD, SOURCE = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], "-v"])
