#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Checks the JSON that `quillform --format json` writes against
docs/quillform-shapes.schema.json: every drawing of tests/data (and of
tests/data/accurate, in both geometry modes), a few settings, the array form
of several files and the one-document form of one, the lines of --format
jsonl, and documents altered so that the schema must refuse them.

usage: json_schema_test.py QUILLFORM SCHEMA DATA_DIR
Exit status 0 when everything holds, 1 with the failures listed, 77 when
python3-jsonschema is missing (the test is then reported as skipped)."""

import copy
import json
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

try:
    import jsonschema
except ImportError:
    print("python3-jsonschema is not installed: skipped")
    sys.exit(77)


def run_json(cli, args):
    """The parsed standard output of quillform --format json ARGS."""
    done = subprocess.run([cli, "--format", "json", *args], capture_output=True, check=False)
    if done.returncode not in (0, 1, 3, 5):
        raise RuntimeError(f"{args}: exit status {done.returncode}: {done.stderr.decode()}")
    return json.loads(done.stdout)


def runs(data):
    """The command lines whose output is checked, with a name and the number
    of files each. Many files go to one run (one process: an array of
    documents); single files show the one-document form."""
    plain = [str(f) for f in sorted(data.glob("*.dxf"))]
    accurate = [str(f) for f in sorted((data / "accurate").glob("*.dxf"))]
    yield "tests/data", plain, len(plain)
    yield "tests/data --literal", ["--literal", *plain], len(plain)
    yield "tests/data/accurate --literal", ["--literal", *accurate], len(accurate)
    yield "tests/data/accurate --accurate", ["--accurate", *accurate], len(accurate)
    options = ["-d", "0", "--open-mode", "1", "--mix-layers"]
    yield "tests/data -d 0 --open-mode 1 --mix-layers", [*options, *plain[:12]], 12
    diagnostics = [str(f) for f in sorted((data / "diagnostics").glob("*.dxf"))]
    yield "tests/data/diagnostics", diagnostics, len(diagnostics)
    yield "tests/data/diagnostics --literal", ["--literal", *diagnostics], len(diagnostics)
    extras = ["--accurate", "--curve-tolerance", "0.05", "--engine", "reference",
              "--holes-across-layers", "--output-units", "mm", "--exclude-layers=none"]
    # A drawing without a unit cannot be converted (exit status 2).
    converted = [f for f in diagnostics if "unitless" not in f]
    yield "tests/data/diagnostics with every setting", [*extras, *converted], len(converted)
    yield "one layer", ["--layers=0", *plain[:4]], 4
    yield "one file", plain[:1], 1
    yield "one file --accurate", ["--accurate", accurate[0]], 1
    checked = [str(f) for f in sorted((data / "check").glob("*.dxf")) if "unit_unknown" not in f.name]
    limits = ["--check", "--thickness", "3mm", "--kerf", "5", "--sheet", "100x100"]
    yield "tests/data/check --check", [*limits, *checked], len(checked)


def walk(value, key=None):
    """Yields (key, value) for every member and item of a document, nested."""
    yield key, value
    if isinstance(value, dict):
        for k, v in value.items():
            yield from walk(v, k)
    elif isinstance(value, list):
        for v in value:
            yield from walk(v, key)


def coverage(documents):
    """How often the optional parts of the layout occur in the documents."""
    optional = ("arc", "circle", "warnings", "notes", "accurate", "lengthUnits", "ignored",
                "hint", "openChains", "nearMisses", "curveTolerance", "engine", "layers",
                "excludeLayers", "holesAcrossLayers", "outputUnits", "smallestHole",
                "smallestRadius", "bounds in totals")
    seen = dict.fromkeys(optional, 0)
    seen.update({"holes": 0, "null": 0, "layer-less warning": 0, "layers setting": 0,
                 "null measures": 0})
    for doc in documents:
        if "layers" in doc["settings"]:
            seen["layers setting"] += 1
        for key, value in walk(doc):
            if key in optional:
                seen[key] += 1
            if key == "totals" and "bounds" in value:
                seen["bounds in totals"] += 1
            if key == "measures" and value is None:
                seen["null measures"] += 1
            if key == "holes" and value:
                seen["holes"] += 1
            if value is None:
                seen["null"] += 1
            if key == "warnings" and any("layer" not in w for w in value):
                seen["layer-less warning"] += 1
    return seen


def first_shape(doc):
    """The first shape of the document's first layer, or None."""
    layers = doc["layers"]
    return layers[0]["shapes"][0] if layers and layers[0]["shapes"] else None


def mutations(doc):
    """Documents that break the layout in one place each, with a name."""
    def altered(name, change):
        broken = copy.deepcopy(doc)
        change(broken)
        return name, broken
    shape = first_shape
    yield altered("unknown top-level member", lambda d: d.update(extra=1))
    yield altered("format missing", lambda d: d.pop("format"))
    yield altered("other format", lambda d: d.update(format="quillform"))
    yield altered("version 1", lambda d: d.update(version=1))
    yield altered("file missing", lambda d: d.pop("file"))
    yield altered("unknown setting", lambda d: d["settings"].update(units="mm"))
    yield altered("accurate as text", lambda d: d["settings"].update(accurate="yes"))
    yield altered("geometry not said", lambda d: d["settings"].pop("accurate"))
    yield altered("unknown status flag", lambda d: d["status"]["flags"].append("lost"))
    yield altered("unknown layer member", lambda d: d["layers"][0].update(color=7))
    yield altered("unknown shape member", lambda d: shape(d).update(area=1.0))
    yield altered("shape without measures", lambda d: shape(d).pop("measures"))
    yield altered("unknown measure", lambda d: shape(d)["measures"].update(weight=1.0))
    yield altered("part measures without pierces", lambda d: shape(d)["measures"].pop("pierces"))
    yield altered("negative cut length", lambda d: shape(d)["measures"].update(cutLength=-1.0))
    yield altered("rectangle angle of 90", lambda d: shape(d)["measures"]["minRectangle"].update(
        angle=90))
    yield altered("layer without totals", lambda d: d["layers"][0].pop("totals"))
    yield altered("document without totals", lambda d: d.pop("totals"))
    yield altered("totals without parts", lambda d: d["totals"].pop("parts"))
    yield altered("unknown shape kind", lambda d: shape(d).update(kind="ellipse"))
    yield altered("polygon with a circle", lambda d: shape(d).update(
        circle={"centerX": 0, "centerY": 0, "radius": 1}))
    hole = {"kind": "circle", "circle": {"centerX": 0, "centerY": 0, "radius": 1},
            "bounds": {"minX": -1, "minY": -1, "maxX": 1, "maxY": 1}, "measures": None}
    yield altered("hole with holes", lambda d: shape(d)["holes"].append({**hole, "holes": []}))
    yield altered("hole without measures", lambda d: shape(d)["holes"].append(
        {k: v for k, v in hole.items() if k != "measures"}))
    yield altered("hole with a part's measures", lambda d: shape(d)["holes"].append(
        {**hole, "measures": shape(d)["measures"]}))
    yield altered("bounds member missing", lambda d: shape(d)["bounds"].pop("maxY"))
    yield altered("arc direction", lambda d: shape(d)["vertices"][0].update(
        arc={"centerX": 0, "centerY": 0, "radius": 1, "direction": "left"}))
    yield altered("coordinate as text", lambda d: shape(d)["vertices"][0].update(x="1"))
    yield altered("warning member", lambda d: d.update(
        warnings=[{"code": "longLine", "count": 1, "message": "m", "severity": 2}]))
    yield altered("empty warnings", lambda d: d.update(warnings=[]))
    yield altered("units missing", lambda d: d.pop("units"))
    yield altered("unit member", lambda d: d["units"].update(factor=1))
    yield altered("open chain of one vertex", lambda d: d.update(openChains=[
        {"layer": "0", "edges": 1, "first": {"x": 0, "y": 0}, "last": {"x": 0, "y": 0},
         "gap": 0, "vertices": [{"x": 0, "y": 0}]}]))
    yield altered("near miss end", lambda d: d.update(nearMisses=[
        {"chain": 0, "end": "middle", "otherChain": 1, "otherEnd": "first", "distance": 0}]))
    yield altered("ignored without count", lambda d: d.update(ignored=[{"type": "HATCH"}]))
    yield altered("one document as an array", lambda d: None)


def main():
    cli, schema_path, data = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
    schema = json.loads(schema_path.read_text())
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    document_validator = jsonschema.Draft202012Validator(
        {"$ref": "#/$defs/document", "$defs": schema["$defs"]})
    failures = []

    cases = list(runs(data))
    with ThreadPoolExecutor(max_workers=2) as pool:
        outputs = list(pool.map(lambda case: run_json(cli, case[1]), cases))
    documents = []
    for (name, _, files), output in zip(cases, outputs):
        if not validator.is_valid(output):
            error = jsonschema.exceptions.best_match(validator.iter_errors(output))
            failures.append(f"{name}: {error.json_path}: {error.message[:200]}")
        # Each document again on its own, for messages that name the file.
        for doc in output if isinstance(output, list) else [output]:
            for error in document_validator.iter_errors(doc):
                failures.append(f"{name}: {doc.get('file')}: {error.json_path}: {error.message}")
        if (files > 1) != isinstance(output, list):
            failures.append(f"{name}: array form {'expected' if files > 1 else 'not expected'}")
        produced = output if isinstance(output, list) else [output]
        if len(produced) != files:
            failures.append(f"{name}: {len(produced)} documents for {files} files")
        documents.extend(produced)

    # JSON lines: each line a document, the failing files' with their error.
    plain = [str(f) for f in sorted(data.glob("*.dxf"))]
    lines = subprocess.run([cli, "--format", "jsonl", *plain, str(data / "missing.dxf")],
                           capture_output=True, check=False).stdout.decode().splitlines()
    if len(lines) != len(plain) + 1:
        failures.append(f"jsonl: {len(lines)} lines for {len(plain) + 1} files")
    errors = 0
    for line in lines:
        doc = json.loads(line)
        errors += "error" in doc
        for error in document_validator.iter_errors(doc):
            failures.append(f"jsonl: {doc.get('file')}: {error.json_path}: {error.message}")
    if errors == 0:
        failures.append("jsonl: no line has an error")

    # The corpus must reach every optional part, or the checks above prove little.
    for part, count in coverage(documents).items():
        if count == 0:
            failures.append(f"no document has {part}")

    sample = next(d for d in documents if first_shape(d) and first_shape(d)["kind"] == "polygon"
                  and first_shape(d)["measures"] is not None)
    for name, broken in mutations(sample):
        if name == "one document as an array":
            broken = [broken]
        if validator.is_valid(broken):
            failures.append(f"the schema accepts a document with: {name}")

    for failure in failures:
        print(failure)
    print(f"{len(documents)} documents from {len(cases)} runs checked, "
          f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
