#!/usr/bin/env python3
"""Writes a zip of the given files in one folder, with nothing in it that depends on when or by
whom it was made: the entries in name order, each with the zip epoch as its time, mode 644 (755
for .exe files) and no extra fields. Written beside it and renamed: an interrupted run leaves the
old zip, never half a new one.

usage: make-zip.py ZIP FOLDER FILE..."""
import os
import sys
import zipfile


def make(path, folder, files):
    part = path + ".part"
    with zipfile.ZipFile(part, "w") as target:
        for file in sorted(files, key=os.path.basename):
            name = f"{folder}/{os.path.basename(file)}"
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            info.external_attr = (0o100755 if name.lower().endswith(".exe") else 0o100644) << 16
            info.create_system = 3  # Unix, so that the modes count
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(file, "rb") as source:
                target.writestr(info, source.read(), compresslevel=9)
    os.replace(part, path)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__.splitlines()[-1])
    make(sys.argv[1], sys.argv[2], sys.argv[3:])
