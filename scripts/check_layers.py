#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Checks the layering of the reader and of the programs built on it.

1. Folders of reader/src only look down: a file may include headers of its
   own folder and of the folders below it, never of one above. The order,
   bottom first, is LAYERS. An installed header (reader/include/quillform/X.h)
   belongs to the folder of its source file X.cpp; a header without one
   belongs where DATA_HEADERS says, and any other to the top.
2. The front ends (cli/, demo/, python/, render/, examples/, fuzz/, web/) include only
   their own headers, the picture code of render/ and installed headers.

usage: check_layers.py [TOP]        (TOP: the checkout, by default this one)
Prints every include that breaks a rule and exits 1 when there is any."""

import re
import sys
from pathlib import Path

LAYERS = [
    {"model"},
    {"report"},
    {"collect"},
    {"expand"},
    {"link"},
    {"classify"},
    {"pipeline"},
    {"api"},
    {"measure", "check", "export"},
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
TOP_RANK = len(LAYERS) - 1
# Installed headers that only declare data (no source file of their own), and
# the two the build generates.
DATA_HEADERS = {
    "events.h": "model",
    "status.h": "model",
    "outline.h": "model",
    "export.h": "model",
    "version.h": "model",
    "finding.h": "model",
}
FRONT_ENDS = ["cli", "demo", "python", "render", "examples", "fuzz", "web"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def includes(path):
    return INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace"))


def public_header_ranks(top):
    sources = {p.stem: p for p in (top / "reader" / "src").rglob("*.cpp")}
    ranks = {}
    for header in (top / "reader" / "include" / "quillform").glob("*.h"):
        source = sources.get(header.stem)
        if source:
            folder = source.relative_to(top / "reader" / "src").parts[0]
            ranks[header.name] = RANK.get(folder, TOP_RANK)
        else:
            ranks[header.name] = RANK.get(DATA_HEADERS.get(header.name, ""), TOP_RANK)
    for name, folder in DATA_HEADERS.items():
        ranks.setdefault(name, RANK[folder])
    return ranks


def rank_of_include(name, own_rank, public):
    if name.startswith("quillform/"):
        return public.get(name[len("quillform/"):], TOP_RANK)
    folder = name.split("/")[0]
    if "/" in name and folder in RANK:
        return RANK[folder]
    return own_rank  # a header beside the file


def check_reader(top):
    public = public_header_ranks(top)
    bad = []
    src = top / "reader" / "src"
    files = [(p, RANK.get(p.relative_to(src).parts[0], None)) for p in src.rglob("*")
             if p.suffix in (".h", ".cpp")]
    files += [(p, public[p.name]) for p in (top / "reader" / "include" / "quillform").glob("*.h")]
    for path, rank in files:
        if rank is None:
            bad.append(f"{path.relative_to(top)}: not in a folder of the layer order")
            continue
        for name in includes(path):
            if rank_of_include(name, rank, public) > rank:
                bad.append(f"{path.relative_to(top)}: includes \"{name}\" from a higher folder")
    return bad


def check_front_ends(top):
    public = top / "reader" / "include"
    bad = []
    for front in FRONT_ENDS:
        for path in (top / front).rglob("*"):
            if path.suffix not in (".h", ".cpp"):
                continue
            for name in includes(path):
                if name.startswith("quillform/"):
                    ok = (public / name).exists() or Path(name).name in ("export.h", "version.h")
                else:
                    ok = (path.parent / name).exists() or (top / "render" / name).exists()
                if not ok:
                    bad.append(f"{path.relative_to(top)}: includes \"{name}\", "
                               "which is not an installed header")
    return bad


def main():
    top = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
    bad = check_reader(top) + check_front_ends(top)
    for line in bad:
        print(line)
    order = " <- ".join("/".join(sorted(folders)) for folders in LAYERS)
    print(f"{len(bad)} includes break the layering ({order} <- front ends)")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
