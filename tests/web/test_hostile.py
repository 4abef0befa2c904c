# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Uploads from strangers: each gets a clear answer, and none harms the server
or what it serves to others."""
import json
import os
import socket
import stat
import tempfile
import threading
import time
from pathlib import Path

import pytest

from conftest import DATA, PLATE, Server, error_of, sheet


def test_binary_dxf_is_400_saying_so(server):
    status, headers, body = server.read((DATA / "binary_dxf.dxf").read_bytes(), "name=b.dxf")
    assert status == 400
    error = error_of(status, headers, body)
    assert error["code"] == "notDrawing" and "binary DXF" in error["error"], error


def test_empty_upload_is_400(server):
    status, headers, body = server.read(b"", "name=empty.dxf")
    assert status == 400 and error_of(status, headers, body)["code"] == "notDrawing"


def test_utf16_drawing_gets_a_clear_answer(server):
    text = PLATE.read_bytes().decode("utf-8")
    status, headers, body = server.read(b"\xff\xfe" + text.encode("utf-16-le"), "name=u16.dxf")
    # Read, saying it was UTF-16: the same three parts as the UTF-8 file.
    assert status == 200, body[:300]
    document = json.loads(body)
    assert [w["code"] for w in document["warnings"]] == ["utf16"]
    assert sum(len(layer["shapes"]) for layer in document["layers"]) == 3


def test_body_over_the_limit_is_413_and_the_server_goes_on():
    running = Server("--max-upload", "50M", "--workers", "1")
    try:
        body = b"0\n" * (30 * 1024 * 1024)  # 60 MiB
        status, headers, answer = running.read(body)
        assert status == 413
        error = error_of(status, headers, answer)
        assert error["code"] == "tooLarge" and str(50 << 20) in error["error"]
        for name in ("Content-Security-Policy", "X-Content-Type-Options"):
            assert name in headers
        # Chunked, so the length is not known before: the server counts.
        status, _, answer = running.read(iter([b"0\n" * (1 << 20)] * 30),
                                         headers={"Transfer-Encoding": "chunked"})
        assert status == 413, answer
        assert running.read(PLATE.read_bytes())[0] == 200
        assert running.leftovers() == []
    finally:
        running.stop()


def test_markup_in_layer_names_stays_text_in_json(server):
    status, _, body = server.read((DATA / "web" / "hostile_names.dxf").read_bytes())
    assert status == 200
    names = [layer["name"] for layer in json.loads(body)["layers"] if layer["shapes"]]
    assert "<img src=x onerror=alert(1)>" in names and "<script>alert(1)</script>" in names
    # The page puts names in only as text: no markup from data anywhere in its script.
    _, _, script = server.request("GET", "/app.js")
    assert b"innerHTML" not in script and b"insertAdjacentHTML" not in script
    assert b"document.write" not in script


def test_file_names_never_become_paths(server):
    body = PLATE.read_bytes()
    for name in ["../../etc/passwd", "/etc/passwd", "a/../../b.dxf", "..", "x\"y.dxf"]:
        status, headers, answer = server.request(
            "POST", "/api/export?format=json&name=" + name.replace("/", "%2F").replace('"', "%22"),
            body)
        assert status == 200, (name, answer)
        disposition = headers["Content-Disposition"]
        filename = disposition.split('filename="')[1][:-1]
        assert "/" not in filename and ".." not in filename and '"' not in filename, disposition
        assert json.loads(answer)["file"] == name  # the document names it as given
    assert server.leftovers() == []


def fake_command(folder, behaviour):
    """A stand-in for quillform that answers --version and --help as the real
    one does and otherwise does `behaviour` (shell)."""
    script = Path(folder) / "quillform"
    script.write_text("#!/bin/sh\n"
                      'case "$1" in --version|--help) exec "$QUILLFORM_REAL" "$1";; esac\n'
                      f"{behaviour}\n")
    script.chmod(script.stat().st_mode | stat.S_IXUSR)
    return str(script)


def test_a_worker_that_crashes_is_500_and_harms_no_other_request():
    with tempfile.TemporaryDirectory() as folder:
        command = fake_command(folder, 'case "$*" in *distance=0.5*) kill -SEGV $$;; esac\n'
                                       'exec "$QUILLFORM_REAL" "$@"')
        running = Server("--workers", "2", command=command,
                         env={"QUILLFORM_REAL": os.environ["QUILLFORM_CLI"]})
        try:
            results = {}

            def ask(key, query):
                results[key] = running.read(PLATE.read_bytes(), query)

            threads = [threading.Thread(target=ask, args=(i, "distance=0.5" if i % 2 else ""))
                       for i in range(6)]
            for thread in threads:
                thread.start()
            for thread in threads:
                thread.join()
            for key, (status, headers, body) in results.items():
                if key % 2:
                    assert status == 500
                    assert error_of(status, headers, body)["code"] == "workerCrashed"
                else:
                    assert status == 200 and json.loads(body)["layers"], body[:200]
            assert running.health()["status"] == "ok"
            assert running.leftovers() == []
        finally:
            running.stop()


def test_a_read_over_time_is_422_and_a_full_queue_503():
    running = Server("--workers", "1", "--queue", "0", "--timeout", "0.5")
    try:
        big = sheet(40000)
        answer = {}
        slow = threading.Thread(target=lambda: answer.update(r=running.read(big)))
        slow.start()
        deadline = time.monotonic() + 30
        while running.health()["busy"] == 0 and slow.is_alive() and time.monotonic() < deadline:
            time.sleep(0.005)
        status, headers, body = running.read(PLATE.read_bytes())
        assert status == 503 and error_of(status, headers, body)["code"] == "busy"
        slow.join()
        status, headers, body = answer["r"]
        assert status == 422 and error_of(status, headers, body)["code"] == "timeout"
        assert running.health()["busy"] == 0
        assert running.leftovers() == []
    finally:
        running.stop()


def test_a_read_out_of_memory_is_422_and_others_go_on():
    running = Server("--workers", "2", "--memory-limit", "60")
    try:
        if running.health()["memoryLimit"] is None:
            pytest.skip("this build runs under AddressSanitizer: no memory limit on workers")
        answers = {}
        threads = [threading.Thread(target=lambda: answers.update(big=running.read(sheet(40000)))),
                   threading.Thread(target=lambda: answers.update(small=running.read(
                       PLATE.read_bytes())))]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        status, headers, body = answers["big"]
        assert status == 422, body[:300]
        error = error_of(status, headers, body)
        assert error["code"] == "readFailed" and error["status"] == ["outOfMemory"], error
        assert answers["small"][0] == 200
    finally:
        running.stop()


def test_a_client_that_goes_away_leaves_nothing_behind(server):
    with socket.create_connection(("127.0.0.1", server.port)) as connection:
        connection.sendall(b"POST /api/read HTTP/1.1\r\nHost: x\r\nContent-Length: 100000\r\n\r\n"
                           + b"0\nSECTION\n" * 100)
    # The server may not have taken the upload in yet when the client is
    # gone: wait until nothing has been left for a second on end.
    deadline = time.monotonic() + 10
    clear_since = None
    while time.monotonic() < deadline:
        if server.leftovers():
            clear_since = None
        elif clear_since is None:
            clear_since = time.monotonic()
        elif time.monotonic() - clear_since >= 1:
            break
        time.sleep(0.05)
    assert server.leftovers() == []
    assert server.read(PLATE.read_bytes())[0] == 200
