#!/usr/bin/python3
"""Takes a received message apart with Python's email package.

    read_message.py MESSAGE FOLDER

Writes into FOLDER:
  headers.txt  each header field of the message as "Name: value" (decoded),
               in their order, then "defect: ..." for each defect the parser
               found in the message or any part (bad base64 among them);
  parts.txt    each part after the first as "content type TAB disposition
               TAB file name", a line each;
  text.txt     the text of the first part;
  part-N       the decoded bytes of the N-th attachment (from 1).
"""
import email
import email.policy
import os
import sys


def main():
    message_path, folder = sys.argv[1:3]
    with open(message_path, "rb") as f:
        message = email.message_from_binary_file(f, policy=email.policy.default)
    headers = ["%s: %s" % (name, value) for name, value in message.items()]
    defects = [str(d) for d in message.defects]
    parts = list(message.iter_parts())
    for part in parts:
        defects += [str(d) for d in part.defects]
    with open(os.path.join(folder, "text.txt"), "w") as f:
        f.write(parts[0].get_content() if parts else "")
    lines = []
    for number, part in enumerate(parts[1:], start=1):
        payload = part.get_payload(decode=True)
        defects += [str(d) for d in part.defects]
        with open(os.path.join(folder, "part-%d" % number), "wb") as f:
            f.write(payload or b"")
        lines.append("%s\t%s\t%s" % (part.get_content_type(), part.get_content_disposition(),
                                      part.get_filename() or part.get_param("name") or ""))
    with open(os.path.join(folder, "headers.txt"), "w") as f:
        f.write("".join(h + "\n" for h in headers) + "".join("defect: %s\n" % d for d in defects))
    with open(os.path.join(folder, "parts.txt"), "w") as f:
        f.write("".join(line + "\n" for line in lines))


if __name__ == "__main__":
    main()
