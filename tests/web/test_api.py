# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Every endpoint of quillform-web and every error it answers, over the loopback address."""
import io
import json
import zipfile

import pytest

from conftest import DATA, PLATE, Server, block_bomb, command_json, error_of

SECURITY_HEADERS = ["Content-Security-Policy", "X-Content-Type-Options"]
REAL = sorted((DATA / "real").glob("*.dxf"))


def multipart(field, filename, content, boundary="quillformBoundary7d"):
    head = (f"--{boundary}\r\nContent-Disposition: form-data; name=\"{field}\"; "
            f"filename=\"{filename}\"\r\nContent-Type: application/dxf\r\n\r\n").encode()
    return (head + content + f"\r\n--{boundary}--\r\n".encode(),
            {"Content-Type": f"multipart/form-data; boundary={boundary}"})


def test_page_and_its_files_are_served_with_the_security_headers(server):
    for path, kind in [("/", "text/html"), ("/app.js", "text/javascript"),
                       ("/style.css", "text/css")]:
        status, headers, body = server.request("GET", path)
        assert status == 200 and headers["Content-Type"].startswith(kind), (path, headers)
        assert "default-src 'none'" in headers["Content-Security-Policy"]
        assert headers["X-Content-Type-Options"] == "nosniff"
    _, _, page = server.request("GET", "/")
    # Nothing is fetched from elsewhere, and no script is inline.
    assert b"http://" not in page.replace(b'xmlns="http://www.w3.org/2000/svg"', b"")
    assert b"https://" not in page and b"<script>" not in page


def test_every_answer_carries_the_security_headers(server):
    answers = [server.request("GET", "/nothing-here"),
               server.request("GET", "/api/health"),
               server.read(b"not a drawing"),
               server.read(PLATE.read_bytes(), "distance=x")]
    for status, headers, _ in answers:
        for name in SECURITY_HEADERS:
            assert name in headers, (status, headers)


def test_health_says_what_the_server_offers(server):
    health = server.health()
    assert health["status"] == "ok" and health["command"].startswith("quillform ")
    assert health["workers"] == 2 and "json" in health["exports"]


def test_read_answers_the_commands_json_document(server):
    status, headers, body = server.read(PLATE.read_bytes(), "name=plate.dxf")
    assert status == 200 and headers["Content-Type"] == "application/json"
    document = json.loads(body)
    assert document["file"] == "plate.dxf"
    document.pop("file")
    assert document == command_json(PLATE)
    cut = [layer for layer in document["layers"] if layer["name"] == "CUT"][0]
    assert len(cut["shapes"]) == 3


def test_read_takes_a_multipart_file_field(server):
    body, headers = multipart("file", "plate.dxf", PLATE.read_bytes())
    status, _, answer = server.read(body, headers=headers)
    assert status == 200
    document = json.loads(answer)
    assert document["file"] == "plate.dxf"
    document.pop("file")
    assert document == command_json(PLATE)


def test_settings_reach_the_read(server):
    status, _, body = server.read(PLATE.read_bytes(), "units=in&distance=0.5")
    assert status == 200
    document = json.loads(body)
    assert document["lengthUnits"]["name"] == "in"
    assert document["settings"]["distance"] == 0.5
    document.pop("file")
    assert document == command_json(PLATE, "--output-units=in", "--distance=0.5")


@pytest.mark.parametrize("query, word", [
    ("distance=-1", "distance"), ("distance=nan", "distance"), ("distance=1e999", "distance"),
    ("curveTolerance=abc", "curveTolerance"), ("mode=fast", "mode"), ("units=furlong", "units"),
    ("thickness=0", "thickness"), ("thickness=3cm", "thickness"), ("sheet=3000", "sheet"),
    ("sheet=0x10", "sheet"), ("colour=red", "colour"), ("distance=1&distance=2", "distance"),
])
def test_bad_settings_are_400_naming_the_setting(server, query, word):
    status, headers, body = server.read(PLATE.read_bytes(), query)
    assert status == 400
    error = error_of(status, headers, body)
    assert error["code"] == "badSetting" and error["error"].startswith(word + ":"), error


def test_not_a_drawing_is_400(server):
    status, headers, body = server.read(b"hello, this is no drawing\n", "name=notes.txt")
    assert status == 400
    error = error_of(status, headers, body)
    assert error["code"] == "notDrawing" and "notes.txt" in error["error"]
    assert "drawing.dxf" not in error["error"]


def test_a_multipart_form_without_a_file_is_400(server):
    boundary = "b0undary"
    body = (f"--{boundary}\r\nContent-Disposition: form-data; name=\"note\"\r\n\r\nhi\r\n"
            f"--{boundary}--\r\n").encode()
    status, headers, answer = server.read(
        body, headers={"Content-Type": f"multipart/form-data; boundary={boundary}"})
    assert status == 400 and error_of(status, headers, answer)["code"] == "noDrawing"


def test_a_read_that_fails_is_422_with_its_status(server):
    # Block inserts that would place 10^8 lines stop at the expansion limit.
    status, headers, body = server.read(block_bomb(), "name=bomb.dxf&mode=accurate")
    assert status == 422, body
    error = error_of(status, headers, body)
    assert error["code"] == "readFailed" and error["status"] == ["expansionLimit"], error
    assert "bomb.dxf" in error["error"] and "drawing.dxf" not in error["error"]


def test_a_truncated_drawing_is_read_as_far_as_it_goes(server):
    text = (DATA / "real" / "qcad_pump_parts_r2000.dxf").read_bytes()
    status, _, body = server.read(text[: len(text) // 2], "name=pump.dxf")
    assert status == 200 and json.loads(body)["status"]["flags"] == ["truncated"]


def test_unknown_paths_and_export_formats(server):
    status, headers, body = server.request("GET", "/api/nothing")
    assert status == 404 and error_of(status, headers, body)["code"] == "notFound"
    status, headers, body = server.request("POST", "/api/export?format=pdf", PLATE.read_bytes())
    assert status == 400 and error_of(status, headers, body)["code"] == "badFormat"


def test_export_json_is_the_document(server):
    status, headers, body = server.request("POST", "/api/export?format=json&name=plate.dxf",
                                           PLATE.read_bytes())
    assert status == 200
    assert headers["Content-Disposition"] == 'attachment; filename="plate.json"'
    assert len([s for layer in json.loads(body)["layers"] for s in layer["shapes"]]) == 3


def export(server, fmt, name="plate.dxf", body=None):
    health = server.health()
    if fmt not in health["exports"]:
        pytest.skip(f"waiting: the quillform command has no --format {fmt} yet "
                    f"(offers {health['exports']})")
    return server.request("POST", f"/api/export?format={fmt}&name={name}",
                          body if body is not None else PLATE.read_bytes())


def test_export_cut_dxf_is_read_back_by_ezdxf(server):
    ezdxf = pytest.importorskip("ezdxf")
    status, headers, body = export(server, "dxf")
    assert status == 200 and headers["Content-Disposition"].endswith('filename="plate.dxf"')
    doc = ezdxf.read(io.StringIO(body.decode("utf-8", "replace")))
    closed = [e for e in doc.modelspace() if e.dxftype() in ("LWPOLYLINE", "CIRCLE")]
    assert len(closed) == 3 + 7  # three outlines and their seven holes


def test_export_zip_holds_one_dxf_per_part(server):
    if "zip" not in server.health()["exports"]:
        pytest.skip("waiting: the quillform command has no --split-parts yet")
    status, headers, body = export(server, "zip")
    assert status == 200 and headers["Content-Type"] == "application/zip"
    names = zipfile.ZipFile(io.BytesIO(body)).namelist()
    assert len(names) == 3 and all(n.startswith("plate-") and n.endswith(".dxf") for n in names)


def test_export_geojson_has_a_feature_per_part(server):
    status, _, body = export(server, "geojson")
    assert status == 200
    assert len(json.loads(body)["features"]) == 3


def test_export_cut_svg_and_csv(server):
    status, headers, body = export(server, "cut-svg")
    assert status == 200 and headers["Content-Type"] == "image/svg+xml" and b"<svg" in body
    status, headers, body = export(server, "csv")
    assert status == 200 and headers["Content-Type"].startswith("text/csv")
    assert len(body.decode().strip().splitlines()) == 1 + 3


def test_an_export_of_an_unavailable_format_is_501(server):
    missing = [f for f in ["csv", "dxf", "cut-svg", "geojson", "zip"]
               if f not in server.health()["exports"]]
    if not missing:
        pytest.skip("the command writes every format")
    status, headers, body = server.request("POST", f"/api/export?format={missing[0]}",
                                           PLATE.read_bytes())
    assert status == 501 and error_of(status, headers, body)["code"] == "formatUnavailable"


def test_real_drawings_read_as_the_command_reads_them(server):
    for path in REAL[:8]:
        status, _, body = server.read(path.read_bytes(), "name=" + path.name)
        expected = command_json(path)
        if expected["status"]["flags"] and status != 200:
            continue  # compared in the error tests
        assert status == 200, (path.name, body[:300])
        document = json.loads(body)
        document.pop("file")
        assert document == expected, path.name


def test_stopped_by_sigterm_the_server_leaves_nothing_behind():
    running = Server("--workers", "1")
    assert running.read(PLATE.read_bytes())[0] == 200
    running.stop()
    assert running.returncode == 0, running.stderr
    assert running.left_at_exit == []
