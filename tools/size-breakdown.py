#!/usr/bin/env python3
"""What the program's size is made of, read from the linker's map (-Wl,-Map).

Usage: size-breakdown.py MAP EXE [--markdown]

Every input section the linker kept is given to the part it came from: our code (the
project's own folders), SQLite, LZ4, the C++ and C runtime (libstdc++, libgcc, winpthreads,
the MinGW start-up code and C library), or the import stubs of the system DLLs. The
resources are the .rsrc section. What remains of the file (headers, section alignment,
the import directory, relocations, unwind tables the linker makes itself) is shown as such,
so that the parts add up to the file's size.
"""
import os
import re
import struct
import sys

PARTS = ["our code", "SQLite", "LZ4", "C++ runtime", "C runtime", "imports", "resources"]
OUR_FOLDERS = ("text", "framework", "controls", "browser", "history", "reopen", "app")


def part_of(path):
    name = path.replace("\\", "/")
    base = os.path.basename(name.split("(")[0])
    if "libsqlite.a" == base or "sqlite3.c" in name:
        return "SQLite"
    if "liblz4.a" == base or "/lz4" in name:
        return "LZ4"
    if base in ("libstdc++.a", "libsupc++.a", "libgcc.a", "libgcc_eh.a", "libwinpthread.a") or \
            base.startswith(("crtbegin", "crtend")):
        return "C++ runtime"
    if base in ("libmingwex.a", "libmingw32.a", "libmsvcrt.a", "libmoldname.a") or \
            base.startswith(("crt2", "crt1", "dllcrt")):
        # The import stubs of msvcrt.dll itself are imports like any other DLL's.
        if base == "libmsvcrt.a" and re.search(r"\(.*s\d+\.o\)|\(.*[ht]\.o\)", name):
            return "imports"
        return "C runtime"
    if base == "libuuid.a":
        return "our code"
    if "/delay-load/" in name or (re.match(r"lib\w+\.a$", base) and name.startswith("/usr/")):
        return "imports"
    if "CMakeFiles/Backtracker.dir/" in name:
        return "our code"
    for folder in OUR_FOLDERS:
        if f"/{folder}/" in name or base == f"lib{folder}.a":
            return "our code"
    return None


def parse_map(path):
    sizes = {part: 0 for part in PARTS}
    unknown = {}
    in_output = None
    named = False  # the line before held only an input section's long name
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if re.match(r"^\S", line):
                # An output section (".text  0x...  0x..."), or a heading of the map.
                in_output = line.split()[0] if line.startswith(".") else None
                continue
            if in_output is None or in_output.startswith((".debug", ".rsrc", ".reloc", ".bss")):
                continue
            # An input section: " .text.name  0xaddr  0xsize  file"; after a long name the
            # addresses and the file stand on the next line.
            m = re.match(r"^ (\S+)?\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            continued, named = named, re.fullmatch(r" \.\S+", line) is not None
            if not m or not (m.group(1) or continued):
                continue
            size, source = int(m.group(2), 16), m.group(3).strip()
            part = part_of(source)
            if part is None:
                unknown[source] = unknown.get(source, 0) + size
            else:
                sizes[part] += size
    return sizes, unknown


def rsrc_size(exe):
    data = open(exe, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional
    for i in range(count):
        name, _, _, raw = struct.unpack_from("<8sIII", data, table + 40 * i)
        if name.rstrip(b"\0") == b".rsrc":
            return raw
    return 0


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    markdown = "--markdown" in sys.argv
    if len(args) != 2:
        sys.exit(__doc__)
    sizes, unknown = parse_map(args[0])
    sizes["resources"] = rsrc_size(args[1])
    total = os.path.getsize(args[1])
    rows = [(part, sizes[part]) for part in PARTS]
    if unknown:
        rows.append(("unattributed", sum(unknown.values())))
    rows.append(("headers, alignment, tables", total - sum(size for _, size in rows)))
    if markdown:
        print("| part | bytes | share |")
        print("|---|---:|---:|")
        for part, size in rows:
            print(f"| {part} | {size:,} | {100 * size / total:.1f} % |")
        print(f"| **Backtracker.exe** | **{total:,}** | 100 % |")
    else:
        for part, size in rows:
            print(f"{part:28} {size:10,} {100 * size / total:5.1f} %")
        print(f"{'Backtracker.exe':28} {total:10,}")
    for source, size in sorted(unknown.items(), key=lambda kv: -kv[1])[:10]:
        print(f"  unattributed: {size:,} {source}", file=sys.stderr)


if __name__ == "__main__":
    main()
