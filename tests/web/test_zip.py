# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""The server's zip writer, opened by Python's zipfile (another implementation):
names (UTF-8 too), contents and CRCs as written."""
import io
import os
import random
import subprocess
import tempfile
import zipfile
from pathlib import Path

import pytest

from conftest import DATA, PLATE


def test_zip_entries_come_back_as_written():
    tool = os.environ.get("QUILLFORM_ZIP_TOOL")
    if not tool:
        pytest.skip("QUILLFORM_ZIP_TOOL does not name the zip test tool")
    rng = random.Random(25)
    with tempfile.TemporaryDirectory() as folder:
        entries = {
            "plate-CUT-0.dxf": PLATE.read_bytes(),
            "empty.dxf": b"",
            "noise.bin": bytes(rng.randrange(256) for _ in range(70000)),
            "Flügel-Rippen-1.dxf": (DATA / "real" / "autocad_wing_ribs_lwpoly_r2004.dxf").read_bytes(),
        }
        args = []
        for index, (name, content) in enumerate(entries.items()):
            path = Path(folder) / f"{index}.in"
            path.write_bytes(content)
            args.append(f"{name}={path}")
        archive = subprocess.run([tool, *args], capture_output=True, check=True).stdout
    with zipfile.ZipFile(io.BytesIO(archive)) as opened:
        assert opened.testzip() is None  # every CRC right
        assert opened.namelist() == list(entries)
        for name, content in entries.items():
            assert opened.read(name) == content, name
        assert all(info.compress_type == zipfile.ZIP_DEFLATED for info in opened.infolist())
    # DXF text packs well: the archive is smaller than the drawings.
    assert len(archive) < len(entries["Flügel-Rippen-1.dxf"]) / 2
