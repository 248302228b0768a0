"""Shared-folder trials: our programs as separate processes on one data folder.

Two programs that have the same folder open must both keep every entry they
were told was saved, and a program that only reads must change no file. These
trials start real processes and check the folder afterwards with the program's
own loader (crash_trial digest) and the independent record reader:

  writers   two writers at once (crash_trial share: the desktop program's
            access, each appending, deleting and correcting its own checks
            while the other rewrites the files under it)
  programs  kxacct running (offscreen) while another writer changes the books
            and kxbatch reads them: kxbatch's reading commands change no file,
            its writing command is refused with status 1; then a second
            kxacct joins the folder beside the first

  shared_folder_trials.py --driver CRASH_TRIAL [--kxacct K --kxbatch B]
                          [--lines N] [--count N] [--keep]
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import record_reader  # noqa: E402


class TrialFailed(Exception):
    pass


def expect(condition, what):
    if not condition:
        raise TrialFailed(what)


class Folder:
    def __init__(self, driver, path):
        self.driver = driver
        self.path = path

    def share(self, name, count):
        return subprocess.Popen([self.driver, "share", self.path, name, str(count)],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def lines(self):
        """The lines as the program's loader reads them: description -> amount."""
        text = os.path.join(os.path.dirname(self.path), "books.txt")
        run = subprocess.run([self.driver, "digest", self.path, "--text", text],
                             capture_output=True, text=True)
        expect(run.returncode == 0, f"the books do not load: {run.stdout}{run.stderr}")
        lines = {}
        with open(text, encoding="utf-8") as rows:
            for row in rows:
                if row.startswith("line "):
                    fields = row.rstrip("\n").split("|")
                    description = fields[-1].rstrip()
                    lines.setdefault(description, []).append(fields[4].replace(",", ""))
        return lines

    def snapshot(self):
        """Every file of the folder: its bytes and its modification time."""
        files = {}
        for name in sorted(os.listdir(self.path)):
            full = os.path.join(self.path, name)
            with open(full, "rb") as f:
                files[name] = (f.read(), os.stat(full).st_mtime_ns)
        return files

    def check_whole(self):
        problems = (record_reader.whole_record_problems(self.path)
                    or record_reader.posted_total_problems(self.path))
        expect(not problems, "the folder is not whole: " + "; ".join(problems[:5]))


def finish(process, what):
    out, err = process.communicate(timeout=300)
    expect(process.returncode == 0, f"{what} failed: {out}{err}")
    return out


def cents_text(cents):
    return f"{cents // 100}.{cents % 100:02d}"


def check_writer_kept_everything(lines, name, count):
    """What `crash_trial share NAME COUNT` leaves: every fourth check deleted,
    every third one of the others corrected to 1,000 dollars and i cents."""
    for i in range(1, count + 1):
        found = lines.get(f"{name} {i}", [])
        if i % 4 == 0:
            expect(not found, f"{name} {i} was deleted and is there")
            continue
        cents = 100000 + i if i % 3 == 0 else 1000 + i
        expect(found == [cents_text(cents)],
               f"{name} {i}: expected one line of {cents_text(cents)}, found {found}")


def kept_count(count):
    return count - count // 4


def two_writers(args, base, scratch):
    folder = Folder(args.driver, copy_company(base, scratch, "writers"))
    before = sum(len(amounts) for amounts in folder.lines().values())
    writers = [folder.share(name, args.count) for name in ("A", "B")]
    rereads = [int(finish(w, "a writer").split()[2]) for w in writers]
    lines = folder.lines()
    for name in ("A", "B"):
        check_writer_kept_everything(lines, name, args.count)
    after = sum(len(amounts) for amounts in lines.values())
    expect(after == before + 2 * kept_count(args.count),
           f"{after} lines, expected {before} + 2 x {kept_count(args.count)}")
    folder.check_whole()
    return f"two writers: {2 * args.count} checks each way, read again {sum(rereads)} times"


def held_in_use(folder):
    """How many programs hold the folder in use: the shared locks on byte 0
    of its lock file, as the kernel lists them."""
    inode = os.stat(os.path.join(folder, "KXACCT.LCK")).st_ino
    with open("/proc/locks") as locks:
        return sum(1 for lock in locks
                   if "OFDLCK" in lock and "READ" in lock
                   and lock.split()[-3].endswith(f":{inode}") and lock.split()[-2:] == ["0", "0"])


def start_kxacct(args, folder, home, holders):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=home, XDG_DATA_HOME=home,
               XDG_RUNTIME_DIR=home)
    program = subprocess.Popen([args.kxacct, folder.path + "/"], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        if os.path.exists(os.path.join(folder.path, "KXACCT.LCK")) \
                and held_in_use(folder.path) >= holders:
            return program
        expect(program.poll() is None, f"kxacct ended with status {program.returncode}")
        time.sleep(0.1)
    program.kill()
    raise TrialFailed("kxacct did not open the folder within a minute")


def kxbatch(args, folder, *command):
    return subprocess.run([args.kxbatch, "--folder", folder.path, *command],
                          capture_output=True, text=True, timeout=120)


def programs(args, base, scratch):
    folder = Folder(args.driver, copy_company(base, scratch, "programs"))
    home = os.path.join(scratch, "home")
    os.makedirs(home, mode=0o700)
    before = sum(len(amounts) for amounts in folder.lines().values())
    desktop = [start_kxacct(args, folder, home, 1)]
    try:
        # Another writer beside kxacct: its checks dated back and forth leave
        # the file out of date order, which a reading load sorts in memory.
        finish(folder.share("C", args.count), "a writer beside kxacct")
        expected = before + kept_count(args.count)

        untouched = folder.snapshot()
        where = kxbatch(args, folder, "where")
        expect(where.returncode == 0 and where.stdout.startswith(f"{expected} Transactions"),
               f"kxbatch where: {where.stdout}{where.stderr}")
        kxbatch(args, folder, "test")
        pdf = os.path.join(scratch, "income-statement.pdf")
        report = kxbatch(args, folder, "report", "Income Statement", "--month", "2025-06", "--pdf", pdf)
        expect(report.returncode == 0 and os.path.getsize(pdf) > 0,
               f"kxbatch report: {report.stdout}{report.stderr}")
        expect(folder.snapshot() == untouched, "a reading command of kxbatch changed a file")

        refused = kxbatch(args, folder, "new")
        expect(refused.returncode == 1, f"kxbatch new was not refused: {refused.stdout}")
        expect(folder.snapshot() == untouched, "a refused kxbatch command changed a file")

        desktop.append(start_kxacct(args, folder, home, 2))
        finish(folder.share("D", args.count), "a writer beside two kxacct")
    finally:
        for program in desktop:
            program.send_signal(signal.SIGTERM)
            program.wait(timeout=60)
    lines = folder.lines()
    for name in ("C", "D"):
        check_writer_kept_everything(lines, name, args.count)
    folder.check_whole()
    return ("kxacct beside a writer and kxbatch: reading changed no file, writing refused; "
            "a second kxacct joined the first")


def copy_company(base, scratch, name):
    target = os.path.join(scratch, name, "books")
    shutil.copytree(base, target)
    return target


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--driver", required=True)
    parser.add_argument("--kxacct")
    parser.add_argument("--kxbatch")
    parser.add_argument("--lines", type=int, default=3000)
    parser.add_argument("--count", type=int, default=60)
    parser.add_argument("--keep", action="store_true")
    args = parser.parse_args(argv[1:])
    trials = [two_writers]
    if args.kxacct and args.kxbatch:
        trials.append(programs)
    scratch = tempfile.mkdtemp(prefix="shared-folder-")
    failed = False
    try:
        base = os.path.join(scratch, "base")
        subprocess.run([args.driver, "make", base, str(args.lines)], check=True,
                       stdout=subprocess.DEVNULL)
        for trial in trials:
            try:
                print(trial(args, base, scratch), flush=True)
            except TrialFailed as failure:
                failed = True
                print(f"FAILED {trial.__name__}: {failure}", flush=True)
    finally:
        if args.keep or failed:
            print(f"folders kept in {scratch}")
        else:
            shutil.rmtree(scratch)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
