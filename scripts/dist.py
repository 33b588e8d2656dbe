#!/usr/bin/env python3
"""Makes the download: one zip holding the program, its help, a Japanese read-me and the licence,
and SHA256SUMS beside it.

Usage: dist.py ZIP RELEASE_DATE PROGRAM HELP README LICENSE

Two runs on the same source give the same bytes, from a git checkout or from a copy without
git: each entry carries midnight UTC of the version's release date (YYYY-MM-DD, kept beside the
version; SOURCE_DATE_EPOCH instead when it is set), the entries come in a fixed order with fixed
attributes and compression. The text files a Windows user opens get CRLF line ends, and the
read-me a UTF-8 byte order mark, by which every Notepad since Windows XP knows it for UTF-8.
"""
import calendar
import hashlib
import os
import sys
import time
import zipfile

FILE_ATTRIBUTE_ARCHIVE = 0x20
MSDOS = 0  # the system that made the entries, as Windows' own zip folders record it


def entry_time(release_date):
    """The entries' time. A zip holds local times of 1980 and later; UTC is taken for it."""
    if os.environ.get("SOURCE_DATE_EPOCH"):
        seconds = int(os.environ["SOURCE_DATE_EPOCH"])
    else:
        seconds = calendar.timegm(time.strptime(release_date, "%Y-%m-%d"))
    return time.gmtime(max(seconds, 315532800))[:6]


def windows_text(data, bom=False):
    data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return (b"\xef\xbb\xbf" + data) if bom else data


def main():
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    zip_path, release_date, program, help_file, readme, licence = sys.argv[1:]
    read = lambda path: open(path, "rb").read()
    entries = [
        ("korimbel.exe", read(program)),
        ("korimbel.htm", windows_text(read(help_file))),
        ("readme.txt", windows_text(read(readme), bom=True)),
        ("LICENSE.txt", windows_text(read(licence))),
    ]
    stamp = entry_time(release_date)

    os.makedirs(os.path.dirname(os.path.abspath(zip_path)), exist_ok=True)
    partial = zip_path + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data in entries:
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.create_system = MSDOS
            entry.external_attr = FILE_ATTRIBUTE_ARCHIVE
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, data, compresslevel=9)
    os.replace(partial, zip_path)

    digest = hashlib.sha256(read(zip_path)).hexdigest()
    name = os.path.basename(zip_path)
    with open(os.path.join(os.path.dirname(os.path.abspath(zip_path)), "SHA256SUMS"), "w") as sums:
        sums.write(f"{digest}  {name}\n")
    print(f"dist: {zip_path}, {os.path.getsize(zip_path)} bytes, SHA-256 {digest}")


if __name__ == "__main__":
    main()
