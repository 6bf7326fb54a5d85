#!/usr/bin/env python3
"""Packs the files a user gets into the release archive, with its SHA-256 beside it.

Usage: pack-dist.py ZIP FILE...

The archive holds the files at its top, each with its own modification time; ZIP.sha256 is
one line in the format of sha256sum ("<hex>  <name>"), which `sha256sum -c` checks.
"""
import hashlib
import os
import sys
import time
import zipfile


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    archive, files = sys.argv[1], sys.argv[2:]
    partial = archive + ".partial"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for path in files:
            info = zipfile.ZipInfo(os.path.basename(path), time.localtime(os.path.getmtime(path))[:6])
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(path, "rb") as f:
                z.writestr(info, f.read())
    os.replace(partial, archive)
    digest = hashlib.sha256(open(archive, "rb").read()).hexdigest()
    with open(archive + ".sha256", "w", newline="\n") as f:
        f.write(f"{digest}  {os.path.basename(archive)}\n")
    print(f"dist: {archive} ({os.path.getsize(archive):,} bytes)\ndist: {archive}.sha256 {digest}")


if __name__ == "__main__":
    main()
