#!/usr/bin/python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/.

    fuzz/make_seeds.py SAMPLE_COMPANY_FOLDER

The record and data-folder seeds are cut from the sample company the build
writes (build/sample-company); the others are made here by hand. The seeds
are kept in the repository; run this again only when a layout changes.
"""
import hashlib
import os
import struct
import sys
import zlib

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
ACCOUNT, PAYEE, LINE, SETTINGS = 156, 536, 328, 4800


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("cp1252")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def folder_input(cfg, coa, vnd, trn, damaged=()):
    """The data_folder target's input: a header word per file, then the files."""
    header, body = b"", b""
    for name, data, size in (("cfg", cfg, SETTINGS), ("coa", coa, ACCOUNT),
                             ("vnd", vnd, PAYEE), ("trn", trn, LINE)):
        if data is None:
            header += struct.pack("<H", 0xFFFF)
            continue
        stray = 1 if name in damaged else 0
        header += struct.pack("<H", len(data) // size | stray << 15)
        body += data + b"\0" * stray
    return header + body


def sample_seeds(folder):
    def read(name):
        with open(os.path.join(folder, name), "rb") as f:
            return f.read()

    cfg, coa, vnd, trn = (read(n) for n in ("KXACCT.CFG", "KXACCT.COA", "KXACCT.VND", "KXACCT.TRN"))
    write("company_settings", "sample-company", cfg)
    write("company_settings", "zero-record", b"\0" * SETTINGS)
    write("account_record", "sample-chart", coa)
    write("account_record", "one-account", coa[ACCOUNT:2 * ACCOUNT])
    write("payee_record", "sample-payees", vnd)
    write("payee_record", "one-payee", vnd[:PAYEE])
    write("transaction_record", "first-lines", trn[:20 * LINE])
    write("transaction_record", "last-lines-first", trn[-10 * LINE:] + trn[:10 * LINE])
    write("data_folder", "sample-company", folder_input(cfg, coa, vnd, trn))
    write("data_folder", "sample-first-month", folder_input(cfg, coa, vnd, trn[:40 * LINE]))
    write("data_folder", "lines-out-of-order",
          folder_input(cfg, coa, vnd, trn[-15 * LINE:] + trn[:15 * LINE]))
    write("data_folder", "new-company", folder_input(b"", None, None, b""))
    write("data_folder", "no-settings", folder_input(None, coa, vnd, trn[:5 * LINE]))
    write("data_folder", "damaged-chart",
          folder_input(cfg, coa[:10 * ACCOUNT], vnd, trn[:5 * LINE], damaged=("coa",)))
    write("data_folder", "one-account-chart", folder_input(cfg, coa[ACCOUNT:2 * ACCOUNT], None, b""))
    # Accounts numbered with four zero bytes and four spaces, each with a line.
    zero, blank = b"\0" * 4 + coa[4:ACCOUNT], b" " * 4 + coa[4:ACCOUNT]
    line = trn[:LINE]
    write("data_folder", "zero-byte-account",
          folder_input(cfg, coa[:2 * ACCOUNT] + zero + blank, vnd[:PAYEE],
                       line[:92] + b"\0" * 4 + line[96:] + line[:92] + b" " * 4 + line[96:]))


def bmp(width, height, bits, palette_entries=0, top_down=False):
    stride = (width * bits + 31) // 32 * 4
    pixels = bytes((row * 37 + col) % 256 for row in range(height) for col in range(stride))
    palette = bytes((i * 40) % 256 for i in range(4 * palette_entries))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0,
                       len(pixels), 2835, 2835, palette_entries, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def backup_entry(name, data, stored=None):
    stored = zlib.compress(data) if stored is None else stored
    return name.ljust(20).encode() + struct.pack("<ii", len(data), len(stored)) + stored


def backup_set(files):
    """A set as the programs write it: first the manifest, named "ZENKAR.SET"
    and the CRC-32 of its stored bytes, listing each entry's name, lengths and
    the CRC-32 of its stored bytes."""
    manifest = "ZKSET1\n"
    for name, data in files:
        stored = zlib.compress(data)
        manifest += "%s\t%d\t%d\t%08x\n" % (name, len(data), len(stored), zlib.crc32(stored))
    stored = zlib.compress(manifest.encode())
    return backup_entry("ZENKAR.SET %08x" % zlib.crc32(stored), manifest.encode(), stored) + \
        b"".join(backup_entry(name, data) for name, data in files)


def backup_seeds():
    cfg = b"Harbor Supply Co.".ljust(4800, b" ")
    lines = bytes(range(256)) * 4
    write("backup_set", "with-manifest",
          backup_set([("KXACCT.CFG", cfg), ("KXACCT.TRN", lines), ("KXACCT.REC", b"")]))
    write("backup_set", "older-program",
          backup_entry("KXMICR.DAT", b"\0" * 726) + backup_entry("KXACCT.CFG", cfg))
    write("backup_set", "package", backup_set([("ZENKAR.DDD", b"\1" * 584), ("ZENKAR.NNN", b"")]))


def hand_made_seeds():
    write("bmp_image", "1-bit", bmp(9, 3, 1, 2))
    write("bmp_image", "4-bit-short-palette", bmp(5, 2, 4, 6))
    write("bmp_image", "8-bit-top-down", bmp(4, 4, 8, 256, top_down=True))
    write("bmp_image", "24-bit", bmp(3, 2, 24))

    for name, text in (("plain", "1234.56"), ("commas", "-1,234.5"), ("plus", "+0.99995"),
                       ("whole", "12"), ("spaces", " 7 "), ("no-units", ".5"),
                       ("largest", "922337203685476.9999")):
        write("money_parse", name, text)

    day = struct.pack("<i", 45730)  # 14 March 2025
    for name, start_month, text in (("iso-date", 1, "2025-03-14"), ("month", 4, "2025-07"),
                                    ("quarter", 10, "2025-Q2"), ("us-sample", 1, "11/22/3344"),
                                    ("day-first", 7, "22.11.3344"),
                                    ("pattern", 1, "dd MMMM 'of' yyyy ''")):
        write("dates", name, day + bytes([start_month]) + text.encode())
    write("dates", "far-day", struct.pack("<i", -2**31) + b"\x0d" + b"3344-11-22")

    write("csv_field", "fields", b"Harbor Supply\xffSays \"hi\"\xff\xffsecond line,a\r\nb")
    write("csv_field", "quotes", b"\"\"\xff\"\xff\xff\xff\xff")

    salt = bytes(range(16))
    digest = hashlib.pbkdf2_hmac("sha256", b"Secret-1", salt, 1000)
    write("password_record", "stored", "ZKPW1 1000 %s %s\n" % (salt.hex(), digest.hex()))
    write("password_record", "other-password",
          "ZKPW1 1000 %s %s\r\n" % (salt.hex(), hashlib.sha256(b"x").hexdigest()))


def micr_record(routing, account, location=0, signatures=1, logo=b""):
    """A KXMICR.DAT record in this program's layout (docs/OUTPUT.md)."""
    def text(value, width):
        return value.ljust(width, b" ")[:width]
    record = (text(b"First Harbor Bank", 40) + text(b"1 Quay Street", 40) +
              text(b"Portland, ME 04101", 40) + text(b"1-21/110", 40) + text(routing, 12) +
              text(b"Harbor Supply Co.", 40) + text(b"", 40) + text(b"418 Wharf Street", 40) +
              text(b"Portsmouth, NH 03801", 40) + text(account, 40) + text(b"(603) 555-0100", 40) +
              struct.pack("<iii", 4, location, signatures) + text(b"AUTHORIZED SIGNATURE", 40) +
              struct.pack("<iii", -3, 2, 5) + text(logo, 244) + struct.pack("<i", 1) + b"  ")
    assert len(record) == 726
    return record


def micr_seeds():
    write("micr_settings", "sound", micr_record(b"021000021", b"1234-5678"))
    write("micr_settings", "leading-on-us-logo",
          micr_record(b"011000015", b"98 7654 321", 1, 2, b"/home/ann/logo.bmp"))
    write("micr_settings", "nul-padded", micr_record(b"121000358", b"55").replace(b" ", b"\0"))
    write("micr_settings", "foreign", b"\x07" * 726)


def http_seeds():
    """Responses of the update server, each after the byte that sets the piece size."""
    def response(status, fields, body=b"", length=True):
        head = status + "\r\n" + "".join(f + "\r\n" for f in fields)
        if length:
            head += "Content-Length: %d\r\n" % len(body)
        return head.encode() + b"\r\n" + body

    write("http_response", "revision-file", b"\x07" + response(
        "HTTP/1.1 200 OK", ["Content-Type: text/plain"], b"VE: 4.7\r\nAR: 3\r\nAC: 5\r\nPR: 2\r\n"))
    write("http_response", "redirect", b"\x00" + response(
        "HTTP/1.1 302 Found", ["Location: http://dl.example/a/b//InstallZenkarAC-47r5.exe"]))
    write("http_response", "installer", b"\x3f" + response(
        "HTTP/1.1 200 OK", ["Connection: keep-alive"], bytes(range(256)) * 4))
    write("http_response", "until-close", b"\x02" + response(
        "HTTP/1.0 200 OK", ["Connection: close"], b"VE: 4.7\nPR: 9", length=False))
    write("http_response", "chunked", b"\x05" + response(
        "HTTP/1.1 200 OK", ["Transfer-Encoding: chunked"], b"5\r\nhello\r\n0\r\n\r\n", False))
    write("http_response", "forbidden", b"\x01" + response(
        "HTTP/1.1 403 Forbidden", [], b"<h1>403 Forbidden</h1>"))
    write("http_response", "not-found-lf", b"\x09" + response(
        "HTTP/1.1 404 Not Found", ["Server: test"], b"missing").replace(b"\r\n", b"\n"))
    write("http_response", "longest-line", b"\x3f" + response(
        "HTTP/1.1 200 OK", ["X: " + "v" * (8192 - 3)], b"ok"))


def smtp_seeds():
    """The replies of mail servers: the first byte sets the size of the pieces."""
    def server(*replies):
        return "".join(r + "\r\n" for r in replies).encode()

    accepted = ["250 2.1.0 Sender OK", "250 2.1.5 OK", "250 2.1.5 OK", "354 Go ahead",
                "250 2.0.0 Queued", "221 Bye"]
    write("smtp_reply", "whole-session", b"\x06" + server(
        "220 mail.example.com ESMTP", "250-mail.example.com", "250-PIPELINING",
        "250-AUTH LOGIN PLAIN", "250 SIZE 10240000", "334 VXNlcm5hbWU6", "334 UGFzc3dvcmQ6",
        "235 2.7.0 Accepted", *accepted))
    write("smtp_reply", "refused-login", b"\x00" + server(
        "220 mail.example.com", "250-mail.example.com", "250 AUTH LOGIN", "334 VXNlcm5hbWU6",
        "334 UGFzc3dvcmQ6", "535 5.7.8 Invalid", "530 5.7.0 Authentication required"))
    write("smtp_reply", "single-line-greeting", b"\x3f" + server(
        "220 mail.example.com", "250 mail.example.com PIPELINING AUTH", *accepted))
    write("smtp_reply", "starttls", b"\x02" + server(
        "220 mail.example.com", "250-mail.example.com", "250 STARTTLS", "220 Ready") +
        b"\x16\x03\x03\x00\x02\x02\x28")
    write("smtp_reply", "bare-line-feeds", b"\x01" + server(
        "220-first", "220 second", "250-a", "250 b", *accepted).replace(b"\r\n", b"\n"))
    write("smtp_reply", "longest-line", b"\x3f" + server("220 " + "x" * 996, "250 ok"))
    write("smtp_reply", "endless-reply", b"\x3f" + server(*["250-more"] * 101))
    write("smtp_reply", "controls", b"\x04" + server(
        "220 \x1b[2J\rhello", "250-\x00\x7f", "250 done") + b"250 no line end")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: fuzz/make_seeds.py SAMPLE_COMPANY_FOLDER")
    sample_seeds(sys.argv[1])
    hand_made_seeds()
    backup_seeds()
    micr_seeds()
    http_seeds()
    smtp_seeds()


if __name__ == "__main__":
    main()
