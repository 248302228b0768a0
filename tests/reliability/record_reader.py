"""An independent reader of a data folder's record files.

It shares no code with the program: it knows the files only by their byte
layouts (docs/LEDGER.md and the record headers in src/ledger), so a fault in
the program's own readers cannot hide a fault in its writers.

  whole_record_problems(folder)  every file of the set is a whole number of
                                 records; a temporary file left beside its
                                 target is never taken for it
  posted_total_problems(folder)  every account's posted total equals the sum of
                                 its journal and check/deposit lines, each
                                 rounded to cents
  file_prints(folder)            a SHA-256 of each file of the set

Run as a program it checks one folder:  record_reader.py FOLDER
"""

import hashlib
import os
import re
import struct
import sys

# Record length of each file of the set (the settings file is one record).
RECORD_LENGTHS = {
    "KXACCT.CFG": 4800,
    "KXACCT.COA": 156,
    "KXACCT.TRN": 328,
    "KXACCT.VND": 536,
    "KXACCT.RJE": 284,
    "KXACCT.REC": 152,
    "KXACCTCOA.DAT": 156,
    "KXMICR.DAT": 726,
    # The companion programs' files the imports read and write back, and the
    # accountant exchange's state and new entries.
    "KXAREC.CFG": 9998,
    "KXAREC.DES": 100,
    "KXAREC.CHG": 150,
    "KXPAY.CFG": 5000,
    "KXPAY.EMP": 1000,
    "KXPAY.PRC": 500,
    "ZENKAR.DDD": 584,
    "ZENKAR.NNN": 328,
}
# Files of exactly one record.
SINGLE_RECORD = ("KXACCT.CFG", "KXAREC.CFG", "KXPAY.CFG", "ZENKAR.DDD")
# The accountant exchange's packages, which a trial may keep in the folder.
PACKAGES = ("ZENKAR.CCC", "ZENKAR.AAA")
# Files every company has.
REQUIRED = ("KXACCT.CFG", "KXACCT.COA", "KXACCT.TRN", "KXACCT.VND")
# The folder lock: only its locks matter, never its contents.
LOCK_FILE = "KXACCT.LCK"
# A rewrite writes "<name>.~" and six letters and digits beside its target
# and renames it ("<name>.~new" in older versions).
TEMPORARY_NAME = re.compile(r"^(?P<target>.+)\.~(?:[A-Za-z0-9]{6}|new)$")
# A change of several files names its temporary files and targets here until
# they are all renamed.
JOURNAL_FILE = "KXACCT.JNL"
# The automatic backup series, a folder of its own in the data folder.
AUTO_BACKUP_FOLDER = "ZENKAR_AUTO_BACKUP"

# Transaction line (328 bytes): kind, account number, amount.
LINE_KIND = struct.Struct("<i")  # offset 8: 1 journal, 2 check/deposit, 3 invoice
LINE_KIND_AT = 8
LINE_ACCOUNT_AT, ACCOUNT_WIDTH = 92, 4
LINE_AMOUNT_AT = 104  # int64, ten-thousandths
# Account (156 bytes): number at 0, posted total at 108.
ACCOUNT_POSTED_AT = 108
AMOUNT = struct.Struct("<q")

POSTING_KINDS = (1, 2)


def classify(folder):
    """Maps each file name of the folder to ("data", canonical name),
    ("temporary", canonical name), ("lock", None), ("journal", None),
    ("package", None), ("backups", None) or ("unknown", None)."""
    kinds = {}
    for name in sorted(os.listdir(folder)):
        upper = name.upper()
        if upper in RECORD_LENGTHS:
            kinds[name] = ("data", upper)
        elif (match := TEMPORARY_NAME.match(name)) and (
            match["target"].upper() in RECORD_LENGTHS or match["target"].upper() == JOURNAL_FILE
        ):
            kinds[name] = ("temporary", match["target"].upper())
        elif upper == LOCK_FILE:
            kinds[name] = ("lock", None)
        elif upper in PACKAGES:
            kinds[name] = ("package", None)
        elif upper == JOURNAL_FILE:
            kinds[name] = ("journal", None)
        elif upper == AUTO_BACKUP_FOLDER and os.path.isdir(os.path.join(folder, name)):
            kinds[name] = ("backups", None)
        else:
            kinds[name] = ("unknown", None)
    return kinds


def data_files(folder):
    """The canonical name and the actual name of each file of the set."""
    return {
        canonical: name for name, (kind, canonical) in classify(folder).items() if kind == "data"
    }


def whole_record_problems(folder):
    problems = []
    seen = {}
    for name, (kind, canonical) in classify(folder).items():
        if kind == "unknown":
            problems.append(f"{name}: a file that is neither of the set nor a temporary file")
        if kind != "data":
            continue
        if canonical in seen:
            problems.append(f"{name} and {seen[canonical]} both name {canonical}")
        seen[canonical] = name
        size = os.path.getsize(os.path.join(folder, name))
        length = RECORD_LENGTHS[canonical]
        if canonical in SINGLE_RECORD and size != length:
            problems.append(f"{name}: {size} bytes instead of {length}")
        elif size % length != 0:
            problems.append(f"{name}: {size} bytes is not a whole number of {length}-byte records")
    for canonical in REQUIRED:
        if canonical not in seen:
            problems.append(f"{canonical} is missing")
    return problems


def temporary_files(folder):
    return [name for name, (kind, _) in classify(folder).items() if kind == "temporary"]


def records(path, length):
    with open(path, "rb") as f:
        data = f.read()
    return [data[at : at + length] for at in range(0, len(data) - length + 1, length)]


def rounded_to_cents(raw):
    """Ten-thousandths rounded to whole cents, halves away from zero."""
    cents = (abs(raw) + 50) // 100 * 100
    return cents if raw >= 0 else -cents


def line_sums(path):
    """Per 4-byte account number, the rounded journal and check/deposit amounts."""
    with open(path, "rb") as f:
        data = f.read()
    length = RECORD_LENGTHS["KXACCT.TRN"]
    sums = {}
    for at in range(0, len(data) - length + 1, length):
        (kind,) = LINE_KIND.unpack_from(data, at + LINE_KIND_AT)
        if kind not in POSTING_KINDS:
            continue
        account = data[at + LINE_ACCOUNT_AT : at + LINE_ACCOUNT_AT + ACCOUNT_WIDTH]
        (amount,) = AMOUNT.unpack_from(data, at + LINE_AMOUNT_AT)
        sums[account] = sums.get(account, 0) + rounded_to_cents(amount)
    return sums


def money(raw):
    sign = "-" if raw < 0 else ""
    return f"{sign}{abs(raw) // 10000}.{abs(raw) % 10000:04d}"


def posted_total_problems(folder):
    """Lines post to the first account of a number; a later account of the
    same number holds nothing."""
    files = data_files(folder)
    if "KXACCT.COA" not in files or "KXACCT.TRN" not in files:
        return ["the chart or the transaction file is missing"]
    sums = line_sums(os.path.join(folder, files["KXACCT.TRN"]))
    problems = []
    seen = set()
    for account in records(os.path.join(folder, files["KXACCT.COA"]), RECORD_LENGTHS["KXACCT.COA"]):
        number = account[:ACCOUNT_WIDTH]
        (posted,) = AMOUNT.unpack_from(account, ACCOUNT_POSTED_AT)
        expected = 0 if number in seen else sums.get(number, 0)
        seen.add(number)
        if posted != expected:
            label = number.decode("cp1252", "replace").strip()
            problems.append(
                f"account {label}: posted total {money(posted)}, its lines sum to {money(expected)}"
            )
    return problems


def file_prints(folder):
    prints = {}
    for canonical, name in data_files(folder).items():
        with open(os.path.join(folder, name), "rb") as f:
            prints[canonical] = hashlib.sha256(f.read()).hexdigest()
    return prints


def main(argv):
    if len(argv) != 2:
        print("usage: record_reader.py FOLDER", file=sys.stderr)
        return 2
    problems = whole_record_problems(argv[1])
    if not problems:
        problems = posted_total_problems(argv[1])
    for problem in problems:
        print(problem)
    for name in temporary_files(argv[1]):
        print(f"temporary file left: {name}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
