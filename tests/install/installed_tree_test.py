#!/usr/bin/env python3
"""The suite installed with `cmake --install` into a temporary prefix, run from
there as a package manager's install runs: the programs' folder read-only
(chmod a-w, or when the test runs as root, the programs run as the user
nobody, who may not write it), a new company made with kxbatch and opened with
kxacct on Qt's offscreen platform by the path of its KXACCT.CFG, as the
desktop opens it. Also the desktop's view of the install: the MIME type of
KXACCT.CFG and the desktop entry that opens it.
"""
import argparse
import os
import shutil
import stat
import struct
import subprocess
import sys
import tempfile

PROGRAMS = ["kxacct", "kxbatch", "kxmenu", "z_ver_ck"]
NOBODY = 65534
HISTORY_ENTRY = 260

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, file=sys.stderr)
    return condition


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24]) if head[:8] == b"\x89PNG\r\n\x1a\n" else None


class Runner:
    """Runs the installed programs as a user who cannot write the programs'
    folder, with a home folder of its own and no display."""

    def __init__(self, root, prefix):
        self.as_root = os.geteuid() == 0
        self.home = os.path.join(root, "home")
        runtime = os.path.join(root, "runtime")
        for folder in (self.home, runtime):
            os.mkdir(folder, 0o700)
            if self.as_root:
                os.chown(folder, NOBODY, NOBODY)
        self.env = {
            "PATH": "/usr/bin:/bin",
            "HOME": self.home,
            "LANG": "C.UTF-8",
            "QT_QPA_PLATFORM": "offscreen",
            "XDG_RUNTIME_DIR": runtime,
        }
        self.bin = os.path.join(prefix, "bin")
        if not self.as_root:
            os.chmod(self.bin, 0o555)

    def folder(self, path):
        """A folder the user owns."""
        os.makedirs(path)
        if self.as_root:
            os.chown(path, NOBODY, NOBODY)
        return path

    def run(self, program, *args, cwd=None):
        command = [os.path.join(self.bin, program), *args]
        if self.as_root:
            command = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                       "--", *command]
        return subprocess.run(command, env=self.env, cwd=cwd or self.home, capture_output=True,
                              text=True, timeout=120)

    def release(self):
        os.chmod(self.bin, 0o755)


def check_layout(prefix, build):
    check(sorted(os.listdir(os.path.join(prefix, "bin"))) == PROGRAMS,
          "bin/ holds the four programs and nothing else: " + str(os.listdir(prefix + "/bin")))
    shared = os.path.join(prefix, "share/zenkar")
    with open(os.path.join(shared, "KXACCTCOA.DAT"), "rb") as installed, \
            open(os.path.join(build, "bin/KXACCTCOA.DAT"), "rb") as built:
        check(installed.read() == built.read(), "share/zenkar/KXACCTCOA.DAT is the default chart")
    check(os.path.isfile(os.path.join(shared, "help/contents.html")),
          "the help pages are in share/zenkar/help")
    icons = os.path.join(prefix, "share/icons/hicolor")
    for size in (16, 32, 48, 256):
        png = os.path.join(icons, f"{size}x{size}/apps/zenkar-accounting.png")
        check(os.path.isfile(png) and png_size(png) == (size, size),
              f"the {size}x{size} icon is installed at its size")
    check(os.path.isfile(os.path.join(icons, "scalable/apps/zenkar-accounting.svg")),
          "the scalable icon is installed")
    for page in PROGRAMS:
        check(os.path.isfile(os.path.join(prefix, f"share/man/man1/{page}.1.gz")),
              f"the man page of {page} is installed")
    for path in ("share/doc/zenkar-accounting/copyright", "share/mime/packages/zenkar-accounting.xml"):
        check(os.path.isfile(os.path.join(prefix, path)), path + " is installed")


def check_settings_file_opens_kxacct(prefix, root, mime_type, kxacct_entry):
    """The compiled MIME database and desktop-entry cache, as the desktop's
    file manager reads them: KXACCT.CFG has the type, which kxacct's hidden
    entry opens."""
    share = os.path.join(root, "desktop-share")
    shutil.copytree(os.path.join(prefix, "share/mime"), os.path.join(share, "mime"))
    shutil.copytree(os.path.join(prefix, "share/applications"), os.path.join(share, "applications"))
    # It says the folder is not one the desktop searches, which is known.
    subprocess.run(["update-mime-database", os.path.join(share, "mime")], check=True,
                   capture_output=True)
    subprocess.run(["update-desktop-database", os.path.join(share, "applications")], check=True)
    with open(os.path.join(share, "mime/globs2")) as f:
        globs = [line.strip().split(":") for line in f if not line.startswith("#")]
    check(any(g[1] == mime_type and g[2].upper() == "KXACCT.CFG" and "cs" not in g[3:]
              for g in globs), "KXACCT.CFG, in any case, has the type " + mime_type)
    with open(os.path.join(share, "applications/mimeinfo.cache")) as f:
        check(f"{mime_type}={kxacct_entry};" in f.read().splitlines(),
              "the type is opened by " + kxacct_entry)
    with open(os.path.join(share, "applications", kxacct_entry)) as f:
        entry = f.read().splitlines()
    check("NoDisplay=true" in entry and "Exec=kxacct %f" in entry,
          "kxacct's entry is hidden from menus and opens the file it is given")


def check_new_company(runner, company, shared):
    made = runner.run("kxbatch", "--folder", company, "new", "--name", "Installed Tree Co.")
    check(made.returncode == 0 and made.stdout.splitlines() ==
          ["0 Transactions", company + "/", "Accounts are balanced"],
          f"kxbatch new makes the company: {made.returncode} {made.stdout!r} {made.stderr!r}")
    with open(os.path.join(company, "KXACCTCOA.DAT"), "rb") as copy, \
            open(os.path.join(shared, "KXACCTCOA.DAT"), "rb") as shipped:
        check(copy.read() == shipped.read(), "the company got the chart of share/zenkar")
    tested = runner.run("kxbatch", "--folder", company, "test")
    check(tested.returncode == 0, "kxbatch test finds no problem: " + tested.stderr)
    journal = runner.run("kxbatch", "--folder", company, "export-journal")
    check(journal.returncode == 0 and "account 110 " in journal.stdout,
          "kxbatch exports the chart: " + journal.stderr)


def check_kxacct_opens_it(runner, company, user_files):
    shots = runner.folder(os.path.join(runner.home, "shots"))
    elsewhere = runner.folder(os.path.join(runner.home, "elsewhere"))
    shown = runner.run("kxacct", "--screenshots", shots, os.path.join(company, "KXACCT.CFG"),
                       cwd=elsewhere)
    pictures = sorted(os.listdir(shots))
    check(shown.returncode == 0, f"kxacct ran: {shown.returncode} {shown.stderr}")
    check("01-UTL.png" in pictures and "08-HLP.png" in pictures, "every page shown: " + str(pictures))
    check("help.png" in pictures, "Getting Started opened from the installed help pages")
    check(not [p for p in pictures if p.startswith("dialog")],
          "no message at start-up (the per-installation folder is writable): " + str(pictures))
    check(os.listdir(elsewhere) == [], "the settings file's folder was opened, not the current one")

    check(stat.S_IMODE(os.stat(user_files).st_mode) == 0o700,
          "the per-installation folder is its owner's alone")
    check(os.path.isfile(os.path.join(user_files, "KXTOKEN.DAT")),
          "the installation token is kept in the per-installation folder")
    with open(os.path.join(user_files, "KXHIST3.DAT"), "rb") as f:
        latest = f.read(HISTORY_ENTRY).decode("latin-1").rstrip()
    check(latest == company + "/", "the company heads the recent folders: " + latest)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cmake", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--mime-type", required=True)
    parser.add_argument("--kxacct-entry", required=True)
    args = parser.parse_args()

    root = tempfile.mkdtemp(prefix="zenkar-installed-")
    os.chmod(root, 0o755)  # the user nobody reaches its folders
    runner = None
    try:
        prefix = os.path.join(root, "prefix")
        subprocess.run([args.cmake, "--install", args.build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        check_layout(prefix, args.build)
        check_settings_file_opens_kxacct(prefix, root, args.mime_type, args.kxacct_entry)

        runner = Runner(root, prefix)
        before = sorted(os.listdir(runner.bin))
        company = os.path.join(runner.folder(os.path.join(runner.home, "books")), "harbor")
        check_new_company(runner, company, os.path.join(prefix, "share/zenkar"))
        check_kxacct_opens_it(runner, company, os.path.join(runner.home, ".local/share/zenkar"))
        check(sorted(os.listdir(runner.bin)) == before, "nothing was written beside the programs")
    finally:
        if runner:
            runner.release()
        shutil.rmtree(root, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
