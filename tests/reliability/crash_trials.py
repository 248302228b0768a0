"""Crash trials: no write of the books may be torn by a crash.

On a generated company, each trial runs one write-heavy operation of the books
in a child process (tests/reliability/crash_trial.cc) and kills it with SIGKILL:

  timed   after a random delay spread over the operation's measured duration;
  step    just before a random one of the operation's changes of the disk (the
          child kills itself), so that the short moments between two renames
          are hit as often as the long writes.

After each kill the folder must pass, in this order:
  1. the independent reader (record_reader.py): every file of the set is a
     whole number of records and no temporary file stands for a data file;
  2. the program's own loader (crash_trial digest): the books are exactly as
     before the operation or exactly as after it;
  3. the independent reader again, after that load (which sorts and repairs):
     every posted total equals the sum of its lines, and the files are those
     of the same state as the loader saw.

The "before" and "after" books of each operation come from loading a copy of
its starting point, and from running it to completion on another copy.
A corrupted outcome is printed with its operation and where the kill landed,
and its folder is kept (as the kill left it, and as loaded).

  crash_trials.py --driver PATH [--trials N] [--lines L] [--seed S]
                  [--scratch DIR] [--operations OP,OP] [--keep]

Exit status: 0 when no outcome was corrupted, 1 when one was, 2 when the
trials themselves could not run.
"""

import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import record_reader  # noqa: E402

# Timed kills are spread a little past the measured duration, so that some
# land just after the operation finished.
DELAY_SPREAD = 1.1
# Each operation is measured this many times; the longest counts.
CALIBRATION_RUNS = 2


class TrialError(Exception):
    """The trials themselves could not run (not a finding about the books)."""


def copy_folder(source, target):
    subprocess.run(["cp", "-a", "--reflink=auto", source, target], check=True)


class Digest:
    """What crash_trial digest printed: one line a part of the books, then the
    load's messages."""

    def __init__(self, output, returncode, error=""):
        lines = output.splitlines()
        self.parts = tuple(line for line in lines if not line.startswith(("message ", "load ")))
        self.messages = [line[len("message ") :] for line in lines if line.startswith("message ")]
        self.ok = returncode == 0
        self.failure = "" if self.ok else f"exit status {returncode}: {output} {error}".strip()

    def differing_parts(self, other):
        mine = {line.split()[0]: line for line in self.parts}
        theirs = {line.split()[0]: line for line in other.parts}
        names = mine.keys() | theirs.keys()
        return sorted(name for name in names if mine.get(name) != theirs.get(name))


class Driver:
    def __init__(self, path):
        self.path = path

    def _run(self, *args):
        result = subprocess.run([self.path, *args], capture_output=True, text=True)
        if result.returncode != 0:
            raise TrialError(f"crash_trial {' '.join(args)}: {result.stderr.strip()}")
        return result

    def make(self, folder, lines):
        self._run("make", folder, str(lines))

    def operations(self):
        return [line.split("\t") for line in self._run("list").stdout.splitlines()]

    def prepare(self, operation, folder):
        self._run("prepare", operation, folder)

    def run_to_end(self, operation, folder):
        """Milliseconds and disk changes of one complete run."""
        result = self._run("run", operation, folder)
        done = [line for line in result.stdout.splitlines() if line.startswith("done ")]
        if not done:
            raise TrialError(f"{operation} did not complete: {result.stderr.strip()}")
        _, milliseconds, steps = done[0].split()
        return float(milliseconds), int(steps)

    def digest(self, folder, text=None):
        """The books as the program's loader sees them; a load that fails or
        crashes is an outcome, not an error of the trials."""
        args = [self.path, "digest", folder] + (["--text", text] if text else [])
        result = subprocess.run(args, capture_output=True, text=True)
        return Digest(result.stdout, result.returncode, result.stderr.strip())

    def start(self, operation, folder, wait=False, kill_at=0):
        args = [self.path, "run", operation, folder]
        if wait:
            args.append("--wait")
        if kill_at:
            args += ["--kill-at-step", str(kill_at)]
        return subprocess.Popen(
            args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True
        )


class Operation:
    """One operation's starting point and its books before and after."""

    def __init__(self, name, kind, what):
        self.name, self.is_load, self.what = name, kind == "load", what
        self.start = self.before = self.after = None
        self.before_prints = self.after_prints = None
        self.duration_ms = 0.0
        self.steps = 0
        self.texts = None  # readable before and after books, made for a report

    def set_up(self, driver, base, folder):
        os.makedirs(folder)
        self.start = os.path.join(folder, "start")
        copy_folder(base, self.start)
        driver.prepare(self.name, self.start)
        self.before, self.before_prints = self._loaded(driver, folder, "before", run=False)
        self.after, self.after_prints = self._loaded(driver, folder, "after", run=True)
        for _ in range(CALIBRATION_RUNS - 1):
            scratch = os.path.join(folder, "calibration")
            copy_folder(self.start, scratch)
            milliseconds, steps = driver.run_to_end(self.name, scratch)
            shutil.rmtree(scratch)
            if steps != self.steps:
                raise TrialError(f"{self.name}: {steps} disk changes, then {self.steps}")
            self.duration_ms = max(self.duration_ms, milliseconds)
        if not self.is_load and self.before.parts == self.after.parts:
            raise TrialError(f"{self.name} leaves the books as they were")

    def _loaded(self, driver, folder, label, run):
        copy = os.path.join(folder, label)
        copy_folder(self.start, copy)
        if run:
            self.duration_ms, self.steps = driver.run_to_end(self.name, copy)
        digest = driver.digest(copy)
        problems = record_reader.whole_record_problems(copy) + record_reader.posted_total_problems(
            copy
        )
        if not digest.ok or problems:
            raise TrialError(
                f"{self.name}: the {label} books are not sound: {digest.failure} {problems}"
            )
        prints = record_reader.file_prints(copy)
        shutil.rmtree(copy)
        return digest, prints

    def readable_books(self, driver, folder):
        """The before and after books as text, for a report (made once)."""
        if self.texts is None:
            self.texts = []
            for label, run in (("before", False), ("after", True)):
                copy = os.path.join(folder, f"{self.name}-{label}")
                os.makedirs(folder, exist_ok=True)
                copy_folder(self.start, copy)
                if run:
                    driver.run_to_end(self.name, copy)
                text = os.path.join(folder, f"{self.name}-{label}.txt")
                driver.digest(copy, text)
                shutil.rmtree(copy)
                self.texts.append(text)
        return self.texts


def row_differences(path_a, path_b, examples=3):
    """Per part of the books, how many rows of the books in `path_a` differ
    from those in `path_b` (as expected), and the first few of them."""

    def rows(path):
        parts = {}
        with open(path, encoding="utf-8", errors="replace") as f:
            for row in f:
                parts.setdefault(row.split(" ", 1)[0], []).append(row.rstrip("\n"))
        return parts

    a, b = rows(path_a), rows(path_b)
    notes = []
    for part in sorted(a.keys() | b.keys()):
        left, right = a.get(part, []), b.get(part, [])
        pairs = [(x, y) for x, y in zip(left, right) if x != y]
        if not pairs and len(left) == len(right):
            continue
        notes.append(
            f"    {part}: {len(left)} rows against {len(right)}, {len(pairs)} differ in place"
        )
        for found, expected in pairs[:examples]:
            notes += [f"      expected  {expected}", f"      found     {found}"]
    return notes


class Outcome:
    def __init__(self, number, operation, kind, where):
        self.number, self.operation, self.kind, self.where = number, operation, kind, where
        self.state = None  # "before", "after" or None
        self.finished = False  # the kill came after the operation had finished
        self.problems = []
        self.repaired = False
        self.temporaries = []
        self.kept = None


class Trials:
    def __init__(self, args):
        self.args = args
        self.driver = Driver(args.driver)
        self.rng = random.Random(args.seed)
        self.scratch = tempfile.mkdtemp(prefix="crash-trials-", dir=args.scratch)
        self.corrupted_folder = os.path.join(self.scratch, "corrupted")
        self.operations = []
        self.outcomes = []

    def set_up(self):
        base = os.path.join(self.scratch, "company")
        self.driver.make(base, self.args.lines)
        self.check_the_checks(base)
        for name, kind, what in self.driver.operations():
            if self.args.operations and name not in self.args.operations:
                continue
            operation = Operation(name, kind, what)
            operation.set_up(self.driver, base, os.path.join(self.scratch, "operations", name))
            self.operations.append(operation)
        shutil.rmtree(base)
        os.makedirs(os.path.join(self.scratch, "trials"))

    def check_the_checks(self, base):
        """The reader must notice a drifted total, a torn record and a stray
        file, or a clean outcome would prove nothing."""
        if record_reader.whole_record_problems(base) or record_reader.posted_total_problems(base):
            raise TrialError("the generated company itself does not pass the reader")
        damaged = os.path.join(self.scratch, "damaged")
        copy_folder(base, damaged)
        chart = os.path.join(damaged, "KXACCT.COA")
        with open(chart, "r+b") as f:
            data = bytearray(f.read())
            for at in range(0, len(data), 156):
                data[at + 108] ^= 1  # every posted total one ten-thousandth off
            f.seek(0)
            f.write(data)
        with open(os.path.join(damaged, "KXACCT.TRN"), "ab") as f:
            f.write(b"\0" * 100)
        open(os.path.join(damaged, "KXACCT.TRN.old"), "wb").close()
        torn = record_reader.whole_record_problems(damaged)
        with open(os.path.join(damaged, "KXACCT.TRN"), "r+b") as f:
            f.truncate(os.path.getsize(f.name) - 100)
        if len(torn) != 2 or not record_reader.posted_total_problems(damaged):
            raise TrialError("the reader does not notice damaged files")
        shutil.rmtree(damaged)

    def plan(self):
        """Each operation in turn, timed and step kills alternating."""
        order = list(self.operations)
        self.rng.shuffle(order)
        return [
            (order[i % len(order)], "timed" if (i // len(order)) % 2 == 0 else "step")
            for i in range(self.args.trials)
        ]

    def kill(self, operation, kind, folder):
        """Runs the operation on `folder` and kills it; returns where and
        whether it had finished."""
        if kind == "timed":
            delay = self.rng.uniform(0, DELAY_SPREAD * operation.duration_ms)
            child = self.driver.start(operation.name, folder, wait=True)
            if child.stdout.readline().strip() != "ready":
                child.kill()
                raise TrialError(
                    f"{operation.name} did not start: {child.communicate()[1].strip()}"
                )
            time.sleep(delay / 1000)
            child.kill()
            output, error = child.communicate()
            if child.returncode != -signal.SIGKILL:
                raise TrialError(f"{operation.name} ended by itself: {error.strip()}")
            return f"{delay:.3f} ms of {operation.duration_ms:.3f}", "done " in output
        step = self.rng.randint(1, operation.steps)
        child = self.driver.start(operation.name, folder, kill_at=step)
        _, error = child.communicate()
        if child.returncode != -signal.SIGKILL:
            raise TrialError(f"{operation.name} was not killed at step {step}: {error.strip()}")
        return f"before disk change {step} of {operation.steps}", False

    def trial(self, number, operation, kind):
        folder = os.path.join(self.scratch, "trials", str(number))
        copy_folder(operation.start, folder)
        where, finished = self.kill(operation, kind, folder)
        outcome = Outcome(number, operation, kind, where)
        outcome.finished = finished
        outcome.problems += [
            "as the kill left it: " + p for p in record_reader.whole_record_problems(folder)
        ]
        outcome.temporaries = record_reader.temporary_files(folder)
        as_killed = folder + "-as-killed"
        copy_folder(folder, as_killed)

        digest = self.driver.digest(folder)
        outcome.repaired = any("did not agree with their entries" in m for m in digest.messages)
        if not digest.ok:
            outcome.problems.append("the load failed: " + digest.failure)
        elif digest.parts == operation.before.parts:
            outcome.state = "before"
        elif digest.parts == operation.after.parts:
            outcome.state = "after"
        else:
            outcome.problems.append(
                "the books are neither as before ({}) nor as after ({})".format(
                    ", ".join(digest.differing_parts(operation.before)) + " differ",
                    ", ".join(digest.differing_parts(operation.after)) + " differ",
                )
            )
        if digest.ok:
            outcome.problems += [
                "after the load: " + p for p in record_reader.whole_record_problems(folder)
            ]
            outcome.problems += [
                "after the load: " + p for p in record_reader.posted_total_problems(folder)
            ]
        if outcome.state:
            expected = (
                operation.before_prints if outcome.state == "before" else operation.after_prints
            )
            prints = record_reader.file_prints(folder)
            changed = sorted(
                n for n in expected.keys() | prints.keys() if expected.get(n) != prints.get(n)
            )
            if changed:
                outcome.problems.append(
                    f"after the load, {', '.join(changed)} differ from the {outcome.state} files"
                )

        if outcome.problems:
            self.keep(outcome, folder, as_killed)
        else:
            shutil.rmtree(folder)
            shutil.rmtree(as_killed)
        return outcome

    def keep(self, outcome, folder, as_killed):
        """Says what differs from the books before and after, and keeps the
        folder as the kill left it and as loaded."""
        if outcome.state is None and not any(
            p.startswith("the load failed") for p in outcome.problems
        ):
            texts = os.path.join(self.scratch, "texts")
            before, after = outcome.operation.readable_books(self.driver, texts)
            found = os.path.join(folder, "..", f"{outcome.number}-books.txt")
            self.driver.digest(folder, found)
            outcome.problems.append("against the books before:")
            outcome.problems += row_differences(found, before)
            outcome.problems.append("against the books after:")
            outcome.problems += row_differences(found, after)
            os.remove(found)
        outcome.kept = os.path.join(
            self.corrupted_folder, f"{outcome.number:04d}-{outcome.operation.name}"
        )
        os.makedirs(outcome.kept)
        os.rename(as_killed, os.path.join(outcome.kept, "as-killed"))
        os.rename(folder, os.path.join(outcome.kept, "loaded"))

    def run(self):
        started = time.monotonic()
        self.set_up()
        setup_seconds = time.monotonic() - started
        for number, (operation, kind) in enumerate(self.plan(), start=1):
            outcome = self.trial(number, operation, kind)
            self.outcomes.append(outcome)
            if outcome.problems:
                self.print_corrupted(outcome)
            if number % 50 == 0:
                elapsed = time.monotonic() - started
                print(f"... {number} trials, {elapsed:.0f} s", file=sys.stderr, flush=True)
        self.print_summary(setup_seconds, time.monotonic() - started)
        corrupted = [o for o in self.outcomes if o.problems]
        self.clean_up()
        return 1 if corrupted else 0

    def print_corrupted(self, outcome):
        print(f"CORRUPTED: trial {outcome.number}, {outcome.operation.name}, ", end="")
        print(f"{outcome.kind} kill {outcome.where}")
        for problem in outcome.problems:
            print(f"  {problem}")
        if outcome.kept:
            print(f"  folder kept: {outcome.kept}")
        sys.stdout.flush()

    def table(self):
        """One row an operation, and the totals."""
        header = ("operation", "trials", "timed", "finished", "step", "steps", "ms")
        header += ("before", "after", "corrupted")
        rows = []
        for operation in self.operations:
            mine = [o for o in self.outcomes if o.operation is operation]
            sound = [o for o in mine if not o.problems]
            rows.append(
                (operation.name, len(mine))
                + (sum(o.kind == "timed" for o in mine), sum(o.finished for o in mine))
                + (sum(o.kind == "step" for o in mine), operation.steps)
                + (f"{operation.duration_ms:.1f}",)
                + (sum(o.state == "before" for o in sound), sum(o.state == "after" for o in sound))
                + (len(mine) - len(sound),)
            )
        total = ("total",) + tuple(sum(r[i] for r in rows) for i in (1, 2, 3, 4)) + ("", "")
        total += tuple(sum(r[i] for r in rows) for i in (7, 8, 9))
        return [header] + rows + [total]

    def print_summary(self, setup_seconds, seconds):
        print()
        print(
            f"Crash trials: {len(self.outcomes)} trials on a company of {self.args.lines:,} ",
            end="",
        )
        print(f"lines (seed {self.args.seed}), {seconds:.0f} s ({setup_seconds:.0f} s to set up)")
        table = self.table()
        widths = [max(len(str(row[i])) for row in table) for i in range(len(table[0]))]
        for row in table:
            cells = [str(v).rjust(w) for v, w in zip(row, widths)]
            cells[0] = str(row[0]).ljust(widths[0])
            print("  " + "  ".join(cells))
        print(
            "  timed: killed after a random delay; finished: of those, killed after the operation"
        )
        print("  had finished; step: killed just before one of its 'steps' changes of the disk;")
        print("  ms: the longest of its complete runs.")
        repaired = sum(o.repaired for o in self.outcomes)
        left = sum(bool(o.temporaries) for o in self.outcomes)
        print(f"The load repaired posted totals after {repaired} kills; ", end="")
        print(f"{left} kills left temporary files beside the files of the set.")
        corrupted = [o for o in self.outcomes if o.problems]
        print(f"Corrupted outcomes: {len(corrupted)} of {len(self.outcomes)}")
        if os.path.isdir(self.corrupted_folder):
            print(f"Kept folders under {self.corrupted_folder}")

    def clean_up(self):
        for name in ("operations", "trials", "company", "texts"):
            shutil.rmtree(os.path.join(self.scratch, name), ignore_errors=True)
        if self.args.keep or os.path.isdir(self.corrupted_folder):
            return
        shutil.rmtree(self.scratch, ignore_errors=True)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--driver", required=True, help="the crash_trial program")
    parser.add_argument("--trials", type=int, default=1000)
    parser.add_argument("--lines", type=int, default=100000, help="lines of the generated company")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--scratch", default="/tmp", help="folder for the trials' copies")
    parser.add_argument(
        "--operations",
        default="",
        type=lambda s: set(filter(None, s.split(","))),
        help="only these operations (all by default)",
    )
    parser.add_argument("--keep", action="store_true", help="keep the scratch folder")
    args = parser.parse_args(argv[1:])
    trials = Trials(args)
    try:
        return trials.run()
    except (TrialError, subprocess.CalledProcessError, OSError) as error:
        print(
            f"crash_trials: {error}\n(the scratch folder {trials.scratch} is kept)", file=sys.stderr
        )
        return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
