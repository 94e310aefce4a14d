#!/usr/bin/env python3
"""Writes a folder into a ZIP file: the same files give the same bytes.

    package_zip.py --epoch SECONDS FOLDER OUTPUT.zip

The entries sit under one top folder named as FOLDER. Every folder has an entry
of its own (so empty ones are kept), each ahead of what it holds; the entries
are in the order of their paths, compared part by part, byte by byte. Each is
dated SECONDS as UTC (a ZIP date has no time zone; 1980 at the earliest) and
carries a fixed mode (folders, .exe and .dll 755, other files 644), no owner,
no other times and no extra fields. Files are deflated at level 9.

FOLDER may hold only folders and regular files. The ZIP is written beside
OUTPUT first and then moved into place, so a failed run leaves no partial ZIP.
"""

import argparse
import os
import stat
import sys
import time
import zipfile

DIRECTORY_ATTRIBUTE = 0x10  # MS-DOS "directory", which Windows reads


def entries(folder):
    """The (path in the ZIP, path on disk, is a folder) of everything under folder."""
    top = os.path.basename(os.path.normpath(folder))
    found = [(top + "/", folder, True)]
    for parent, folders, files in os.walk(folder):
        relative = os.path.relpath(parent, folder)
        prefix = top + "/" if relative == "." else top + "/" + relative.replace(os.sep, "/") + "/"
        for name in folders + files:
            path = os.path.join(parent, name)
            mode = os.lstat(path).st_mode
            if stat.S_ISDIR(mode):
                found.append((prefix + name + "/", path, True))
            elif stat.S_ISREG(mode):
                found.append((prefix + name, path, False))
            else:
                raise ValueError(f"{path}: neither a folder nor a regular file")
    found.sort(key=lambda entry: entry[0].rstrip("/").encode("utf-8").split(b"/"))
    return found


def zip_date(epoch):
    return max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))


def write(folder, output, epoch):
    date = zip_date(epoch)
    partial = output + ".part"
    try:
        with zipfile.ZipFile(partial, "w") as archive:
            for name, path, is_folder in entries(folder):
                info = zipfile.ZipInfo(name, date)
                info.create_system = 3  # Unix: the mode below is read as such
                if is_folder:
                    info.external_attr = (stat.S_IFDIR | 0o755) << 16 | DIRECTORY_ATTRIBUTE
                    archive.writestr(info, b"", compress_type=zipfile.ZIP_STORED)
                    continue
                program = name.lower().endswith((".exe", ".dll"))
                info.external_attr = (stat.S_IFREG | (0o755 if program else 0o644)) << 16
                with open(path, "rb") as data:
                    archive.writestr(info, data.read(), compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
        os.replace(partial, output)
    except BaseException:
        if os.path.exists(partial):
            os.remove(partial)
        raise


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--epoch", type=int, required=True, help="the entries' date, in seconds since 1970")
    parser.add_argument("folder")
    parser.add_argument("output")
    arguments = parser.parse_args()
    if not os.path.isdir(arguments.folder):
        sys.exit(f"package_zip.py: {arguments.folder} is not a folder")
    if arguments.epoch < 0:
        sys.exit("package_zip.py: --epoch must not be negative")
    try:
        write(arguments.folder, arguments.output, arguments.epoch)
    except (OSError, ValueError) as error:
        sys.exit(f"package_zip.py: {error}")


if __name__ == "__main__":
    main()
