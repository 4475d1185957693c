#!/usr/bin/env python3
"""lsp_drive.py WINE_RUN PREFIX SCENC_EXE FOLDER: drives `scenc.exe lsp`
under Wine over its standard streams, as an editor on Windows would.

FOLDER holds Magrè_linea.txt and Magrè_IR20588-.txt. The train file is
opened by a URI of the form Visual Studio Code sends (file:///z%3A/...,
Wine's Z: being /); the server must find the line file beside it on disk
(no error, diagnostics published for both files' URIs), and every message
it writes must be framed exactly: "Content-Length: N\\r\\n\\r\\n" and N
bytes of JSON, which text-mode streams would break either way."""
import json
import os
import select
import subprocess
import sys
import time
import urllib.parse

wine_run, prefix, scenc, folder = sys.argv[1:5]


def uri(path, drive="z%3A"):
    return "file:///" + drive + urllib.parse.quote(path, safe="/-_.~")


def frame(message):
    body = json.dumps(message).encode("utf-8")
    return b"Content-Length: %d\r\n\r\n" % len(body) + body


class Reader:
    def __init__(self, stream):
        self.stream = stream
        self.buffer = b""

    def more(self, deadline):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([self.stream], [], [], left)[0]:
            raise SystemExit("no answer from scenc lsp in time; read so far: %r" % self.buffer[:300])
        chunk = os.read(self.stream.fileno(), 65536)
        if not chunk:
            raise SystemExit("scenc lsp closed its output; read so far: %r" % self.buffer[:300])
        self.buffer += chunk

    def message(self, deadline):
        while b"\r\n\r\n" not in self.buffer:
            self.more(deadline)
        header, _, rest = self.buffer.partition(b"\r\n\r\n")
        lines = header.split(b"\r\n")
        lengths = [line[len(b"Content-Length: "):] for line in lines if line.startswith(b"Content-Length: ")]
        if any(b"\r" in line or b"\n" in line for line in lines) or len(lengths) != 1 or not lengths[0].isdigit():
            raise SystemExit("badly framed header: %r" % header)
        length = int(lengths[0])
        while len(rest) < length:
            self.more(deadline)
            rest = self.buffer.partition(b"\r\n\r\n")[2]
        body, self.buffer = rest[:length], rest[length:]
        try:
            return json.loads(body.decode("utf-8"))
        except ValueError as e:
            raise SystemExit("a body that is not JSON (%s): %r" % (e, body[:200]))


linea = os.path.join(folder, "Magrè_linea.txt")
treno = os.path.join(folder, "Magrè_IR20588-.txt")
with open(treno, "rb") as f:
    testo_treno = f.read().decode("cp1252")

server = subprocess.Popen([wine_run, "--prefix", prefix, scenc, "lsp"], stdin=subprocess.PIPE,
                          stdout=subprocess.PIPE)
reader = Reader(server.stdout)
deadline = time.monotonic() + 60
failures = []


def send(message):
    server.stdin.write(frame(message))
    server.stdin.flush()


def until(predicate):
    while True:
        m = reader.message(deadline)
        if predicate(m):
            return m


send({"jsonrpc": "2.0", "id": 1, "method": "initialize",
      "params": {"processId": None, "rootUri": uri(folder), "capabilities": {}}})
until(lambda m: m.get("id") == 1)
send({"jsonrpc": "2.0", "method": "initialized", "params": {}})

# The train file opened with an upper-case drive and its colon escaped,
# backslashes inside, as some editors send; diagnostics come back for both
# files of the pair under the form Visual Studio Code writes.
sent = "file:///Z%3A" + urllib.parse.quote(os.path.dirname(treno), safe="/-_.~") + "%5C" + \
    urllib.parse.quote(os.path.basename(treno), safe="-_.~")
send({"jsonrpc": "2.0", "method": "textDocument/didOpen",
      "params": {"textDocument": {"uri": sent, "languageId": "scenario", "version": 1, "text": testo_treno}}})
wanted = {uri(linea), uri(treno)}
published = {}
while not wanted <= published.keys():
    m = until(lambda m: m.get("method") == "textDocument/publishDiagnostics")
    published[m["params"]["uri"]] = m["params"]["diagnostics"]
for u, diagnostics in published.items():
    errors = [d for d in diagnostics if d.get("severity") == 1]
    if errors:
        failures.append("errors for %s (the pair not found beside the file?): %s" % (u, errors[:2]))

send({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
until(lambda m: m.get("id") == 2)
send({"jsonrpc": "2.0", "method": "exit"})
server.stdin.close()
status = server.wait(timeout=30)
if reader.buffer:
    failures.append("bytes after the last message: %r" % reader.buffer[:100])
if status != 0:
    failures.append("scenc lsp ended with status %d" % status)
for f in failures:
    print("FAIL:", f, file=sys.stderr)
sys.exit(1 if failures else 0)
