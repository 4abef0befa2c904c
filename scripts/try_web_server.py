#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Starts an installed quillform-web on a free loopback port, reads a drawing
through it and stops it: the installation checks' look at the server.

usage: try_web_server.py QUILLFORM_WEB DRAWING    (exit 0 when it read the drawing)"""
import http.client
import json
import re
import signal
import subprocess
import sys


def main():
    server, drawing = sys.argv[1], sys.argv[2]
    process = subprocess.Popen([server, "--listen", "127.0.0.1:0"], stdout=subprocess.PIPE,
                               text=True)
    try:
        found = re.search(r"http://127\.0\.0\.1:(\d+)/", process.stdout.readline())
        if not found:
            print("try_web_server: the server did not start", file=sys.stderr)
            return 1
        connection = http.client.HTTPConnection("127.0.0.1", int(found.group(1)), timeout=60)
        with open(drawing, "rb") as body:
            connection.request("POST", "/api/read?name=drawing.dxf", body=body.read())
        answer = connection.getresponse()
        document = json.loads(answer.read())
        shapes = sum(len(layer["shapes"]) for layer in document.get("layers", []))
        print(f"try_web_server: HTTP {answer.status}, {shapes} shapes")
        return 0 if answer.status == 200 and shapes > 0 else 1
    finally:
        process.send_signal(signal.SIGTERM)
        process.wait(timeout=20)


if __name__ == "__main__":
    sys.exit(main())
