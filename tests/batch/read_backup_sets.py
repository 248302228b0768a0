#!/usr/bin/python3
"""An independent reader of the backup sets kxbatch writes.

It shares no code with the program: it knows a set only by its byte layout
(docs/BACKUP.md) and expands each entry with Python's zlib. On a copy of a
company it runs `kxbatch backup` and `kxbatch auto-backup` (twice, so that the
series moves), then reads every set written: each entry's stream expands to
its full length, the manifest's CRC-32 and list agree with the entries, and
each file holds exactly the bytes of the data folder's file of that name.

  read_backup_sets.py --kxbatch PATH --company FOLDER
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

HEADER = struct.Struct("<20sii")


def entries(data):
    """(name, full length, stored bytes) of each entry of a set."""
    at = 0
    while at < len(data):
        name, full, stored = HEADER.unpack_from(data, at)
        at += HEADER.size
        if full < 0 or stored < 0 or at + stored > len(data):
            raise ValueError(f"entry at {at - HEADER.size} has impossible lengths")
        yield name.decode("cp1252").strip(), full, data[at : at + stored]
        at += stored


def read_set(path):
    """The files of a set by name, after checking it against its manifest."""
    with open(path, "rb") as f:
        data = f.read()
    found = list(entries(data))
    name, full, stored = found[0]
    if not name.startswith("ZENKAR.SET ") or int(name[11:], 16) != zlib.crc32(stored):
        raise ValueError(f"{path}: the first entry is not the set's manifest")
    manifest = zlib.decompress(stored).decode("ascii").splitlines()
    if manifest[0] != "ZKSET1" or len(manifest) - 1 != len(found) - 1:
        raise ValueError(f"{path}: the manifest does not list the entries")
    files = {}
    for line, (name, full, stored) in zip(manifest[1:], found[1:]):
        listed_name, listed_full, listed_stored, crc = line.split("\t")
        if (listed_name, int(listed_full), int(listed_stored), int(crc, 16)) != (
            name, full, len(stored), zlib.crc32(stored)):
            raise ValueError(f"{path}: {name} is not the entry the manifest lists")
        contents = zlib.decompress(stored)
        if len(contents) != full:
            raise ValueError(f"{path}: {name} expands to {len(contents)} bytes, not {full}")
        files[name] = contents
    return files


def folder_file(folder, name):
    for entry in os.listdir(folder):
        if entry.upper() == name.upper():
            with open(os.path.join(folder, entry), "rb") as f:
                return f.read()
    return None


def check_set(path, folder):
    files = read_set(path)
    if "KXACCT.TRN" not in files or "KXACCT.CFG" not in files:
        raise ValueError(f"{path}: the books are not in the set")
    for name, contents in files.items():
        if folder_file(folder, name) != contents:
            raise ValueError(f"{path}: {name} differs from the data folder's file")
    return len(files)


def run(kxbatch, folder, *args):
    result = subprocess.run([kxbatch, "--folder", folder, *args], capture_output=True, text=True)
    if result.returncode != 0:
        raise ValueError(f"kxbatch {' '.join(args)}: {result.returncode} {result.stderr}")
    return result.stdout.strip()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kxbatch", required=True)
    parser.add_argument("--company", required=True)
    options = parser.parse_args()
    with tempfile.TemporaryDirectory() as scratch:
        os.environ["XDG_DATA_HOME"] = os.path.join(scratch, "user")
        folder = os.path.join(scratch, "books")
        backups = os.path.join(scratch, "backups")
        shutil.copytree(options.company, folder)
        os.makedirs(backups)
        written = [run(options.kxbatch, folder, "backup", backups)]
        written.append(run(options.kxbatch, folder, "auto-backup"))
        written.append(run(options.kxbatch, folder, "auto-backup"))
        auto = os.path.join(folder, "Zenkar_Auto_Backup")
        written += [os.path.join(auto, name) for name in ("KXACCT.sav", "KXACCT01.sav")]
        for path in written:
            count = check_set(path, folder)
            print(f"{path}: {count} files, each as in the data folder")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (ValueError, zlib.error, struct.error) as error:
        print(f"read_backup_sets: {error}", file=sys.stderr)
        sys.exit(1)
