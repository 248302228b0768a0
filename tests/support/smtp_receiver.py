#!/usr/bin/python3
"""A real SMTP server for the mail tests: aiosmtpd on 127.0.0.1.

    smtp_receiver.py CERTIFICATE KEY LOGIN PASSWORD FOLDER

It listens on a free port of 127.0.0.1 and prints the port on standard output.
It offers STARTTLS with the certificate and key and requires it before
anything else; it offers AUTH LOGIN (and PLAIN) only once the connection is
secured, accepts only LOGIN with PASSWORD and takes no message before that
login. Each message it accepts is
written to FOLDER as message-N.eml (the bytes received, dots removed), after
message-N.envelope (the sender, then each recipient, a line each). It stops
when its standard input is closed.
"""
import asyncio
import os
import socket
import ssl
import logging
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


class Handler:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.folder, "message-%d" % self.count)
        with open(base + ".envelope", "w") as f:
            f.write("\n".join([envelope.mail_from] + envelope.rcpt_tos) + "\n")
        with open(base + ".tmp", "wb") as f:
            f.write(envelope.original_content)
        os.rename(base + ".tmp", base + ".eml")
        return "250 Message accepted for delivery"


def main():
    # aiosmtpd logs a deprecation of its own at every login.
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    certificate, key, login, password, folder = sys.argv[1:6]
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(certificate, key)

    def authenticate(server, session, envelope, mechanism, auth_data):
        accepted = (mechanism == "LOGIN" and isinstance(auth_data, LoginPassword) and
                    auth_data.login == login.encode() and
                    auth_data.password == password.encode())
        return AuthResult(success=accepted, handled=False)

    handler = Handler(folder)
    loop = asyncio.new_event_loop()
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    server = loop.run_until_complete(loop.create_server(
        lambda: SMTP(handler, hostname="localhost", decode_data=False, tls_context=context,
                     require_starttls=True, auth_require_tls=True, auth_required=True,
                     authenticator=authenticate),
        sock=listener))
    print(listener.getsockname()[1], flush=True)
    loop.add_reader(sys.stdin.fileno(), loop.stop)
    loop.run_forever()
    server.close()


if __name__ == "__main__":
    main()
