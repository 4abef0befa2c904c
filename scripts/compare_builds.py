#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Runs two builds of `quillform` over drawings and says where their outputs
differ: the listing (standard output and standard error), --contours, --log,
JSON (with --check, and written to a file with -o), JSON lines, SVG and PNG,
in both geometry modes and both engines; then the drawings of each folder
read together by one command (the array of several documents and the lines
of jsonl, with worker processes, a missing file in the middle). Views and
runs that need an option one of the builds lacks are left out.

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
    ("jsonl", ["--format", "jsonl"], None),
    ("json-check", ["--format", "json", "--check", "--thickness", "3mm", "--kerf", "5",
                    "--sheet", "100x100"], None),
    ("json-file", ["--format", "json", "--output-units", "mm"], ".json"),
]
# Views whose options only newer builds have: compared where both builds
# name this in their --help.
NEEDS = {"jsonl": "jsonl", "json-check": "--check"}
# The files of a folder read by one command (the array of several documents,
# the lines of jsonl, worker processes), a missing file in the middle.
BATCHES = [
    ("json", ["--format", "json"]),
    ("json jobs", ["--format", "json", "--jobs", "2"]),
    ("jsonl jobs", ["--format", "jsonl", "--jobs", "2"]),
    ("json check literal", ["--format", "json", "--check", "--thickness", "2", "--literal"]),
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


def help_text(binary):
    return subprocess.run([binary, "--help"], capture_output=True, text=True).stdout


def has_literal(binary):
    return "--literal" in help_text(binary)


def runnable(args, name, extra=()):
    """Whether both builds have what a view or batch needs."""
    wanted = [NEEDS[name]] if name in NEEDS else []
    wanted += [a for a in extra if a.startswith("--")]
    helps = [help_text(args.old), help_text(args.new)]
    return all(w in h for w in wanted for h in helps)


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
    # The two builds write into different folders: messages name them alike.
    err = done.stderr.replace(workdir.encode(), b"WORKDIR")
    data = None
    if out_file and os.path.exists(out_file):
        with open(out_file, "rb") as f:
            data = f.read()
    return (done.returncode, done.stdout, err, data)


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


def parsed(view, text):
    if view[0] == "jsonl":
        return [json.loads(line) for line in text.splitlines()]
    return json.loads(text)


def same(view, old, new, additive, changed=()):
    if view[0].startswith("json") and additive and old[0] == new[0] and old[2] == new[2]:
        at = 3 if view[2] else 1  # the file written, else standard output
        try:
            return json_contains(without(parsed(view, old[at]), changed),
                                 without(parsed(view, new[at]), changed))
        except (ValueError, TypeError):
            return old == new
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


def compare_one(args, drawing, literal_old, literal_new, views):
    problems = []
    with tempfile.TemporaryDirectory() as w1, tempfile.TemporaryDirectory() as w2:
        for mode in MODES:
            for engine in ENGINES:
                for view in views:
                    if view[0] in ("svg", "png") and engine == "reference":
                        continue  # pictures come from the same shapes
                    old = run(args.old, literal_old, drawing, mode, engine, view, w1)
                    new = run(args.new, literal_new, drawing, mode, engine, view, w2)
                    if not same(view, old, new, args.json_additive, args.json_changed):
                        problems.append(f"{drawing}: {mode} {engine} {view[0]} differs "
                                        f"(status {old[0]} -> {new[0]})")
    return problems


def run_batch(binary, files, extra):
    args = [binary, "-q", *extra]
    args[2:2] = [str(f) for f in files]
    try:
        done = subprocess.run(args, capture_output=True, timeout=TIMEOUT * 4,
                              env=dict(os.environ, LC_ALL="C.UTF-8"))
    except subprocess.TimeoutExpired:
        return ("timeout", b"", b"")
    return (done.returncode, done.stdout, done.stderr)


def compare_batches(args, files):
    """Each folder's drawings read by one command of each build."""
    folders = {}
    for f in files:
        folders.setdefault(f.parent, []).append(f)
    jobs = []
    for folder, group in sorted(folders.items()):
        group = group[:len(group) // 2] + [folder / "missing.dxf"] + group[len(group) // 2:]
        for name, extra in BATCHES:
            if runnable(args, name.split()[0], extra):
                jobs.append((folder, name, group, extra))

    def one(job):
        folder, name, group, extra = job
        if run_batch(args.old, group, extra) == run_batch(args.new, group, extra):
            return []
        return [f"{folder}: {len(group)} files together, {name}: differs"]

    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        return [p for found in pool.map(one, jobs) for p in found], len(jobs)


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
    parser.add_argument("--no-batches", action="store_true",
                        help="leave out the runs of each folder's drawings together")
    args = parser.parse_args()
    files = drawings(args.paths or default_paths())
    literal_old = ["--literal"] if has_literal(args.old) else []
    literal_new = ["--literal"] if has_literal(args.new) else []
    views = [v for v in VIEWS if runnable(args, v[0], v[1])]
    problems = []
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        for found in pool.map(lambda d: compare_one(args, d, literal_old, literal_new, views),
                              files):
            problems += found
    batches = 0
    if not args.no_batches:
        found, batches = compare_batches(args, files)
        problems += found
    for p in problems:
        print(p)
    print(f"{len(files)} drawings compared in {len(views)} views, {batches} folder runs, "
          f"{len(problems)} differences", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
