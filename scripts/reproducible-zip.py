#!/usr/bin/env python3
"""Writes a zip again with nothing in it that depends on when or by whom it was made: the
entries in name order, each with the zip epoch as its time, mode 644 (755 for folders and
.exe files) and no extra fields. CPack's zips carry each file's access and change times, so
two packagings of the same build would differ."""
import os
import sys
import zipfile


def rewrite(path):
    with zipfile.ZipFile(path) as source:
        entries = sorted((info.filename, source.read(info)) for info in source.infolist())
    # Written beside it and renamed: an interrupted run leaves the old zip, never half a new one.
    part = path + ".part"
    with zipfile.ZipFile(part, "w") as target:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            executable = name.endswith("/") or name.lower().endswith(".exe")
            info.external_attr = (0o40755 if name.endswith("/") else 0o100755 if executable else 0o100644) << 16
            info.create_system = 3  # Unix, so that the modes count
            info.compress_type = zipfile.ZIP_STORED if name.endswith("/") else zipfile.ZIP_DEFLATED
            target.writestr(info, data, compresslevel=9)
    os.replace(part, path)


if __name__ == "__main__":
    for zip_path in sys.argv[1:]:
        rewrite(zip_path)
