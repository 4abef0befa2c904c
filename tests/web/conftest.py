# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Starts quillform-web on the loopback address for the tests of this folder.

The build hands the programs in through the environment: QUILLFORM_WEB (the
server), QUILLFORM_CLI (the quillform it runs), QUILLFORM_SOURCE (the
checkout) and QUILLFORM_ARTIFACTS (where a test leaves files to look at)."""
import http.client
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

import pytest

SOURCE = Path(os.environ.get("QUILLFORM_SOURCE", Path(__file__).resolve().parents[2]))
DATA = SOURCE / "tests" / "data"
PLATE = SOURCE / "examples" / "plate.dxf"


def pairs(*items):
    return "".join(f"{code}\n{value}\n" for code, value in zip(items[0::2], items[1::2]))


def sheet(parts):
    """A drawing of `parts` squares of four LINEs, each with a circle hole."""
    out = [pairs(0, "SECTION", 2, "HEADER", 9, "$INSUNITS", 70, 4, 0, "ENDSEC"),
           pairs(0, "SECTION", 2, "ENTITIES")]
    for i in range(parts):
        x, y = (i % 200) * 30, (i // 200) * 30
        for (ax, ay), (bx, by) in [((x, y), (x + 20, y)), ((x + 20, y), (x + 20, y + 20)),
                                   ((x + 20, y + 20), (x, y + 20)), ((x, y + 20), (x, y))]:
            out.append(pairs(0, "LINE", 8, "CUT", 10, ax, 20, ay, 11, bx, 21, by))
        out.append(pairs(0, "CIRCLE", 8, "CUT", 10, x + 10, 20, y + 10, 40, 3))
    out.append(pairs(0, "ENDSEC", 0, "EOF"))
    return "".join(out).encode()


class Server:
    """One quillform-web process with its own TMPDIR, stopped by SIGTERM."""

    def __init__(self, *options, command=None, env=None):
        web = os.environ.get("QUILLFORM_WEB")
        if not web or not os.access(web, os.X_OK):
            pytest.skip("QUILLFORM_WEB does not name the quillform-web program")
        self.tmp = Path(tempfile.mkdtemp(prefix="quillform-web-test-"))
        environment = dict(os.environ, TMPDIR=str(self.tmp), **(env or {}))
        args = [web, "--listen", "127.0.0.1:0", *options]
        if command:
            args += ["--command", command]
        elif os.environ.get("QUILLFORM_CLI"):
            args += ["--command", os.environ["QUILLFORM_CLI"]]
        self.process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                        env=environment, text=True)
        line = self.process.stdout.readline()
        found = re.search(r"http://127\.0\.0\.1:(\d+)/", line)
        if not found:
            self.process.kill()
            raise RuntimeError(f"quillform-web did not start: {line} {self.process.stderr.read()}")
        self.port = int(found.group(1))

    def request(self, method, path, body=None, headers=None, timeout=60):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        try:
            chunked = "chunked" in (headers or {}).get("Transfer-Encoding", "")
            connection.request(method, path, body=body, headers=headers or {},
                               encode_chunked=chunked)
            response = connection.getresponse()
            return response.status, dict(response.getheaders()), response.read()
        finally:
            connection.close()

    def read(self, body, query="", headers=None):
        return self.request("POST", "/api/read" + (("?" + query) if query else ""), body,
                            headers)

    def health(self):
        status, _, body = self.request("GET", "/api/health")
        assert status == 200
        return json.loads(body)

    def rss_kib(self):
        for line in Path(f"/proc/{self.process.pid}/status").read_text().splitlines():
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
        raise RuntimeError("no VmRSS")

    def leftovers(self):
        """What the server left in its TMPDIR besides its own folder's shell."""
        left = []
        for root in self.tmp.iterdir():
            left += [str(p) for p in root.rglob("*")] if root.is_dir() else [str(root)]
        return left

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.returncode = self.process.returncode
        self.left_at_exit = sorted(str(p) for p in self.tmp.rglob("*"))
        self.stderr = self.process.stderr.read()
        self.process.stdout.close()
        self.process.stderr.close()
        shutil.rmtree(self.tmp, ignore_errors=True)


@pytest.fixture(scope="module")
def server():
    running = Server("--workers", "2")
    yield running
    running.stop()


def command_json(path, *options):
    """What the quillform command itself writes for a drawing, as the server runs it."""
    cli = os.environ["QUILLFORM_CLI"]
    help_text = subprocess.run([cli, "--help"], capture_output=True, text=True).stdout
    extra = ["--accurate"] if re.search(r"^\s*--accurate\b", help_text, re.M) else []
    # The server asks for the check wherever the command has it.
    if re.search(r"^\s*--check\b", help_text, re.M) and "--thickness" in help_text:
        extra.append("--check")
    distance = [] if any(o.startswith("--distance") for o in options) else ["--distance=1"]
    done = subprocess.run([cli, "--format=json", *distance, *extra, *options, "--",
                           str(path)], capture_output=True, check=False)
    document = json.loads(done.stdout)
    document.pop("file")
    return document


def block_bomb(levels=9):
    """Nested blocks, ten inserts each: 10^(levels-1) lines once placed."""
    out = [pairs(0, "SECTION", 2, "BLOCKS"),
           pairs(0, "BLOCK", 8, "0", 2, "B0", 70, 0, 10, 0, 20, 0),
           pairs(0, "LINE", 8, "0", 10, 0, 20, 0, 11, 1, 21, 0), pairs(0, "ENDBLK")]
    for level in range(1, levels):
        out.append(pairs(0, "BLOCK", 8, "0", 2, f"B{level}", 70, 0, 10, 0, 20, 0))
        out += [pairs(0, "INSERT", 8, "0", 2, f"B{level - 1}", 10, 2 * i, 20, 0)
                for i in range(10)]
        out.append(pairs(0, "ENDBLK"))
    out.append(pairs(0, "ENDSEC", 0, "SECTION", 2, "ENTITIES"))
    out.append(pairs(0, "INSERT", 8, "0", 2, f"B{levels - 1}", 10, 0, 20, 0))
    out.append(pairs(0, "ENDSEC", 0, "EOF"))
    return "".join(out).encode()


def error_of(status, headers, body):
    assert headers.get("Content-Type", "").startswith("application/json"), headers
    document = json.loads(body)
    assert set(document) >= {"error", "code"} and document["error"], document
    return document
