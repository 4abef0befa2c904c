#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Runs two builds of `quillform` over drawings and says where their outputs
differ: the listing (standard output and standard error), --contours, --log,
JSON, SVG and PNG, in both geometry modes and both engines.

    scripts/compare_builds.py OLD/quillform NEW/quillform [FILE|DIR ...]

Without files it reads tests/data (recursively, the real drawings of
tests/data/real among them), examples and, when it is there, whatever
../shared/dxf beside the checkout holds that tests/data/real does not. A build that has `--literal`
gets it for the literal runs, so a build whose default is accurate geometry
is compared with one whose default is literal. `--json-additive` accepts new
JSON members (every member of the old document must be in the new one with
the same value), and `--json-changed version` (a member's path from the
document's top, dotted: `settings.engine`; repeatable) lets that member's
value differ, so that a new layout version still proves the rest unchanged;
everything else must be byte-identical. Exit status 1 when anything
differs."""

import argparse
import concurrent.futures
import json
import os
import pathlib
import subprocess
import sys
import tempfile

TOP = pathlib.Path(__file__).resolve().parent.parent
MODES = {"literal": [], "accurate": ["--accurate"]}
ENGINES = ["fast", "reference"]
# (name, extra arguments, output file suffix or None for standard output)
VIEWS = [
    ("listing", [], None),
    ("contours", ["--contours"], None),
    ("log", ["--log", "-q"], None),
    ("json", ["--format", "json"], None),
    ("svg", ["--format", "svg"], ".svg"),
    ("png", ["--format", "png"], ".png"),
]
TIMEOUT = 120


def drawings(paths):
    found = []
    for p in paths:
        p = pathlib.Path(p)
        if p.is_dir():
            found += sorted(q for q in p.rglob("*") if q.suffix.lower() in (".dxf", ".bin"))
        elif p.exists():
            found.append(p)
    return found


def default_paths():
    paths = [TOP / "tests" / "data", TOP / "examples"]
    shared = TOP.parent / "shared" / "dxf"
    if shared.is_dir():
        copied = {p.name for p in (TOP / "tests" / "data" / "real").glob("*")}
        paths += [p for p in sorted(shared.glob("*.dxf")) if p.name not in copied]
    return paths


def has_literal(binary):
    out = subprocess.run([binary, "--help"], capture_output=True, text=True).stdout
    return "--literal" in out


def run(binary, literal_flag, drawing, mode, engine, view, workdir):
    name, extra, suffix = view
    args = [binary, str(drawing), "--engine", engine] + extra
    args += MODES[mode] if mode == "accurate" else literal_flag
    out_file = None
    if suffix:
        out_file = os.path.join(workdir, "out" + suffix)
        if os.path.exists(out_file):
            os.remove(out_file)
        args += ["-o", out_file]
    try:
        done = subprocess.run(args, capture_output=True, timeout=TIMEOUT,
                              env=dict(os.environ, LC_ALL="C.UTF-8"))
    except subprocess.TimeoutExpired:
        return ("timeout", b"", b"", None)
    data = None
    if out_file and os.path.exists(out_file):
        with open(out_file, "rb") as f:
            data = f.read()
    return (done.returncode, done.stdout, done.stderr, data)


def json_contains(old, new):
    if isinstance(old, dict):
        return isinstance(new, dict) and all(k in new and json_contains(v, new[k])
                                             for k, v in old.items())
    if isinstance(old, list):
        return isinstance(new, list) and len(old) == len(new) and all(
            json_contains(a, b) for a, b in zip(old, new))
    return old == new


def without(documents, paths):
    """The documents (one, or an array of them) with the members at these
    dotted paths removed."""
    for doc in documents if isinstance(documents, list) else [documents]:
        for path in paths:
            *parents, last = path.split(".")
            member = doc
            for key in parents:
                member = member.get(key, {}) if isinstance(member, dict) else {}
            if isinstance(member, dict):
                member.pop(last, None)
    return documents


def same(view, old, new, additive, changed=()):
    if view[0] == "json" and additive and old[0] == new[0] and old[2] == new[2]:
        try:
            return json_contains(without(json.loads(old[1]), changed),
                                 without(json.loads(new[1]), changed))
        except ValueError:
            return old[1] == new[1]
    if view[0] == "png":
        # Image metadata aside, the pixels must match.
        return old[:3] == new[:3] and (old[3] is None) == (new[3] is None) and \
            (old[3] == new[3] or png_pixels(old[3]) == png_pixels(new[3]))
    return old == new


def png_pixels(data):
    try:
        from PIL import Image  # optional
        import io
        image = Image.open(io.BytesIO(data))
        return (image.size, image.tobytes())
    except Exception:
        return data


def compare_one(args, drawing, literal_old, literal_new):
    problems = []
    with tempfile.TemporaryDirectory() as w1, tempfile.TemporaryDirectory() as w2:
        for mode in MODES:
            for engine in ENGINES:
                for view in VIEWS:
                    if view[0] in ("svg", "png") and engine == "reference":
                        continue  # pictures come from the same shapes
                    old = run(args.old, literal_old, drawing, mode, engine, view, w1)
                    new = run(args.new, literal_new, drawing, mode, engine, view, w2)
                    if not same(view, old, new, args.json_additive, args.json_changed):
                        problems.append(f"{drawing}: {mode} {engine} {view[0]} differs "
                                        f"(status {old[0]} -> {new[0]})")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("paths", nargs="*")
    parser.add_argument("--json-additive", action="store_true")
    parser.add_argument("--json-changed", action="append", default=[], metavar="PATH",
                        help="with --json-additive: a member whose value may differ "
                             "(dotted path from the document's top, e.g. version)")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    args = parser.parse_args()
    files = drawings(args.paths or default_paths())
    literal_old = ["--literal"] if has_literal(args.old) else []
    literal_new = ["--literal"] if has_literal(args.new) else []
    problems = []
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        for found in pool.map(lambda d: compare_one(args, d, literal_old, literal_new), files):
            problems += found
    for p in problems:
        print(p)
    print(f"{len(files)} drawings compared, {len(problems)} differences", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
