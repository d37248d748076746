# A test FTP server on 127.0.0.1 and a free port, serving one folder to the
# user "rokal" (password "mendu372"). Prints the port, then serves until
# killed or until its time limit. --drop NAME cuts the data connection of
# NAME after half of it and closes the control connection too.
import argparse
import logging
import os
import signal
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("folder")
parser.add_argument("--drop", default="")
parser.add_argument("--limit", type=int, default=300)
args = parser.parse_args()


class DroppingDTP(DTPHandler):
    def __init__(self, sock, cmd_channel):
        super().__init__(sock, cmd_channel)
        self.sent_bytes = 0

    def send(self, data):
        name = getattr(self.cmd_channel, "retr_name", "")
        if args.drop and name == args.drop:
            size = os.path.getsize(os.path.join(args.folder, name))
            if self.sent_bytes + len(data) > size // 2:
                data = data[: max(0, size // 2 - self.sent_bytes)]
                if data:
                    super().send(data)
                self.cmd_channel.close()
                self.close()
                return 0
        sent = super().send(data)
        self.sent_bytes += sent
        return sent


class Handler(FTPHandler):
    dtp_handler = DroppingDTP
    use_sendfile = False  # every chunk passes DroppingDTP.send

    def ftp_RETR(self, file):
        self.retr_name = os.path.basename(file)
        return super().ftp_RETR(file)


logging.basicConfig(level=logging.WARNING)
authorizer = DummyAuthorizer()
authorizer.add_user("rokal", "mendu372", args.folder, perm="elr")
Handler.authorizer = authorizer
Handler.passive_ports = None
server = FTPServer(("127.0.0.1", 0), Handler)
print(server.address[1], flush=True)
signal.signal(signal.SIGALRM, lambda *a: sys.exit(0))
signal.alarm(args.limit)
server.serve_forever(timeout=0.5, handle_exit=True)
