#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the drawings of the web server's tests (run: python3 make_web_fixtures.py).

hostile_names.dxf: three closed squares (LWPOLYLINE), each on a layer whose
name is markup or quotes, as a stranger's upload may hold. CAD programs (and
ezdxf) refuse such names, so the file is written as raw group-code pairs,
without a layer table."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
NAMES = ["<img src=x onerror=alert(1)>", "<script>alert(1)</script>", "\"quoted\" & 'apos'"]


def pairs(*items):
    return "".join(f"{code}\n{value}\n" for code, value in zip(items[0::2], items[1::2]))


def square(layer, x):
    corners = [(x, 0), (x + 20, 0), (x + 20, 20), (x, 20)]
    text = pairs(0, "LWPOLYLINE", 8, layer, 90, 4, 70, 1)
    return text + "".join(pairs(10, cx, 20, cy) for cx, cy in corners)


def hostile_names():
    text = (pairs(0, "SECTION", 2, "HEADER", 9, "$INSUNITS", 70, 4, 0, "ENDSEC")
            + pairs(0, "SECTION", 2, "ENTITIES")
            + "".join(square(name, 30 * i) for i, name in enumerate(NAMES))
            + pairs(0, "ENDSEC", 0, "EOF"))
    with open(os.path.join(HERE, "hostile_names.dxf"), "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    hostile_names()
