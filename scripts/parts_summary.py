#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Prints, from `quillform --format json` on standard input, the lines that
examples/list_parts prints for the same drawing, so that the two ways into
the reader (the command's result copy and quillform::ReadDrawing) can be
compared."""

import json
import sys


def number(value):
    return "%.17g" % value


def outline(what, item):
    if item["kind"] == "circle":
        c = item["circle"]
        text = f"{what} circle center {number(c['centerX'])} {number(c['centerY'])} " \
               f"radius {number(c['radius'])}"
    else:
        arcs = sum(1 for v in item["vertices"] if "arc" in v)
        text = f"{what} polygon vertices {len(item['vertices'])} arcs {arcs}"
    b = item["bounds"]
    return text + " bounds " + " ".join(number(b[k]) for k in ("minX", "minY", "maxX", "maxY"))


def main():
    doc = json.load(sys.stdin)
    for w in doc.get("warnings", []):
        print(f"warning {w['code']} layer '{w.get('layer', '')}' count {w['count']}")
    for layer in doc["layers"]:
        print(f"layer '{layer['name']}' shapes {len(layer['shapes'])}")
        for shape in layer["shapes"]:
            print(outline("shape", shape))
            for hole in shape["holes"]:
                print(outline("  hole", hole))


if __name__ == "__main__":
    main()
