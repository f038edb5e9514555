#!/usr/bin/env python3
"""lsp_transcript.py - `formsterm lsp` spoken to over JSON-RPC: every request
it serves, malformed messages, a value file that goes away, shutdown and
exit, on a copy of the receiving example. The messages both ways are written
as a transcript and compared with the committed one.

  lsp_transcript.py FORMSTERM EXAMPLE_DIR TRANSCRIPT [--update]

The server checks at once (--debounce-ms 0); the test waits for messages,
never for a time."""
import json
import os
import select
import shutil
import subprocess
import sys
import tempfile

PATIENCE_S = 60  # longest wait for one message before the test fails


class Client:
    def __init__(self, formsterm, folder):
        self.folder = folder
        self.uri_base = "file://" + folder
        self.proc = subprocess.Popen([formsterm, "lsp", "--debounce-ms", "0"], cwd=folder,
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.buffer = b""
        self.lines = []

    def plain(self, message):
        return json.dumps(message, sort_keys=True).replace(self.uri_base, "file:///example")

    def send_bytes(self, body, note=None):
        self.lines.append("--> " + (note or body.decode()))
        self.proc.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        self.proc.stdin.flush()

    def send(self, message):
        body = json.dumps(message).encode()
        self.send_bytes(body, self.plain(message))

    def receive(self):
        while True:
            end = self.buffer.find(b"\r\n\r\n")
            if end >= 0:
                length = int(self.buffer[:end].split(b":")[1])
                if len(self.buffer) >= end + 4 + length:
                    body = self.buffer[end + 4:end + 4 + length]
                    self.buffer = self.buffer[end + 4 + length:]
                    message = json.loads(body)
                    self.lines.append("<-- " + self.plain(message))
                    return message
            ready, _, _ = select.select([self.proc.stdout], [], [], PATIENCE_S)
            chunk = os.read(self.proc.stdout.fileno(), 65536) if ready else b""
            if not chunk:
                sys.exit("lsp_transcript: the server sent nothing more; so far:\n" + "\n".join(self.lines))
            self.buffer += chunk

    def until(self, test):
        while True:
            message = self.receive()
            if test(message):
                return message

    def request(self, number, method, params):
        self.send({"jsonrpc": "2.0", "id": number, "method": method, "params": params})
        return self.until(lambda m: m.get("id") == number)

    def notify(self, method, params):
        self.send({"jsonrpc": "2.0", "method": method, "params": params})

    def diagnostics(self):
        return self.until(lambda m: m.get("method") == "textDocument/publishDiagnostics")


def at(line, character):
    return {"line": line, "character": character}


def main():
    formsterm, example, transcript = (os.path.abspath(a) for a in sys.argv[1:4])
    update = "--update" in sys.argv[4:]
    folder = tempfile.mkdtemp(prefix="lsp_transcript.")
    try:
        for name in ("HELP.VAL", "PARTS.VAL", "B_LOC.VAL"):
            shutil.copy(os.path.join(example, name), folder)
        with open(os.path.join(folder, "HELP.VAL")) as f:
            text = f.read()
        lines = text.split("\n")
        row = {line[:4]: n for n, line in enumerate(lines)}
        c = Client(formsterm, folder)
        uri = c.uri_base + "/HELP.VAL"
        doc = {"textDocument": {"uri": uri}}

        def where(record, word):
            return at(row[record], lines[row[record]].index(word))

        c.request(1, "initialize", {"processId": None, "rootUri": c.uri_base, "capabilities": {}})
        c.notify("initialized", {})
        c.notify("textDocument/didOpen",
                 {"textDocument": {"uri": uri, "languageId": "formshelp", "version": 1, "text": text}})
        c.diagnostics()
        # A misspelt keyword, DI= written after MANDI=, a word half typed.
        vert = where("0031", "VERF=")
        di = where("0034", "DI=L MANDI=N")
        end_0033 = at(row["0033"], len(lines[row["0033"]]))
        c.notify("textDocument/didChange", {"textDocument": {"uri": uri, "version": 2}, "contentChanges": [
            {"range": {"start": vert, "end": at(vert["line"], vert["character"] + 5)}, "text": "VREF="},
            {"range": {"start": di, "end": at(di["line"], di["character"] + 12)}, "text": "MANDI=N DI=L"},
            {"range": {"start": end_0033, "end": end_0033}, "text": " M"}]})
        published = c.diagnostics()["params"]["diagnostics"]
        c.request(2, "textDocument/hover", dict(doc, position=where("0032", "VERT=")))
        c.request(3, "textDocument/hover", dict(doc, position=where("0032", "210")))
        c.request(4, "textDocument/hover", dict(doc, position=at(row["0210"], 1)))
        c.request(5, "textDocument/completion", dict(doc, position=at(end_0033["line"], end_0033["character"] + 2)))
        input_at = where("0033", "DATE_EURO")
        c.request(6, "textDocument/completion", dict(doc, position=input_at))
        c.request(7, "textDocument/definition", dict(doc, position=where("0031", "105")))
        c.request(8, "textDocument/references",
                  dict(doc, position=at(row["0210"], 0), context={"includeDeclaration": True}))
        c.request(9, "textDocument/documentSymbol", doc)
        c.request(10, "textDocument/codeAction", dict(doc, range={"start": at(row["0031"], 0), "end": at(row["0034"], 0)},
                                                     context={"diagnostics": published}))
        # Malformed messages get the protocol's errors, and the server goes on.
        c.send_bytes(b'{"jsonrpc": "2.0", "id": 11, "method": ')
        c.receive()
        c.send_bytes(b'[1, 2]')
        c.receive()
        c.request(12, "no/such/method", {})
        c.request(13, "textDocument/hover", dict(doc, position=at(10 ** 9, 10 ** 9)))
        # The value file goes: the findings come again.
        os.remove(os.path.join(folder, "B_LOC.VAL"))
        c.notify("workspace/didChangeWatchedFiles", {"changes": [{"uri": c.uri_base + "/B_LOC.VAL", "type": 3}]})
        c.diagnostics()
        c.request(14, "shutdown", None)
        c.notify("exit", None)
        c.lines.append("exit status %d" % c.proc.wait(PATIENCE_S))
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    got = "\n".join(c.lines) + "\n"
    if update:
        with open(transcript, "w") as f:
            f.write(got)
        return 0
    with open(transcript) as f:
        want = f.read()
    if got != want:
        import difflib
        sys.stdout.writelines(difflib.unified_diff(want.splitlines(True), got.splitlines(True), transcript, "got"))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
