#!/usr/bin/env python3
"""The man pages: each formats without a warning from man (the check lintian
runs on the package), and kxbatch's documents every command kxbatch offers,
as docs/kxbatch.md does."""
import argparse
import os
import re
import subprocess
import sys


def formatting_warnings(page):
    shown = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page],
                           env={**os.environ, "LC_ALL": "C.UTF-8", "MANROFFSEQ": ""},
                           capture_output=True, text=True)
    return shown.stderr.strip() or (f"man exit status {shown.returncode}" if shown.returncode else "")


def kxbatch_commands(kxbatch):
    """The commands of `kxbatch --help`: the first word of each line under
    "Commands:" (a line indented further continues the one above)."""
    lines = subprocess.run([kxbatch, "--help"], capture_output=True, text=True,
                           check=True).stdout.splitlines()
    start = lines.index("Commands:") + 1
    commands = []
    for line in lines[start:]:
        if not line.startswith("  "):
            break
        if not line.startswith("   "):
            commands.append(line.split()[0])
    return commands


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kxbatch", required=True)
    parser.add_argument("--guide", required=True, help="docs/kxbatch.md")
    parser.add_argument("pages", nargs="+")
    args = parser.parse_args()

    problems = []
    for page in args.pages:
        if warnings := formatting_warnings(page):
            problems.append(f"{page}: {warnings}")

    kxbatch_page = next(p for p in args.pages if os.path.basename(p) == "kxbatch.1")
    with open(kxbatch_page) as f:
        in_man = {m.group(1).replace("\\-", "-")
                  for m in re.finditer(r'^\.SS "?([^\s"]+)', f.read(), re.MULTILINE)}
    with open(args.guide) as f:
        in_guide = set(re.findall(r"^### `([^\s`]+)", f.read(), re.MULTILINE))
    commands = kxbatch_commands(args.kxbatch)
    if not commands:
        problems.append("kxbatch --help lists no commands")
    for command in commands:
        if command not in in_man:
            problems.append(f"kxbatch.1 has no section (.SS) for the command {command}")
        if command not in in_guide:
            problems.append(f"docs/kxbatch.md has no section for the command {command}")

    for problem in problems:
        print("FAIL: " + problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
