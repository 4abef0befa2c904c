#!/usr/bin/python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the drawings of the measures tests with ezdxf: parts whose area,
lengths, hull and smallest rectangle follow from a formula (the test
states each one).

Run from anywhere: /usr/bin/python3 tests/data/measures/make_measures.py
"""
import math
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
QUARTER_BULGE = math.tan(math.pi / 8)  # a quarter circle


def turned(points, degrees, at):
    """(x, y, bulge) points turned about the origin, then moved to at."""
    t = math.radians(degrees)
    c, s = math.cos(t), math.sin(t)
    return [(at[0] + x * c - y * s, at[1] + x * s + y * c, b) for x, y, b in points]


def rounded_rectangle(w, h, r):
    """A w x h rectangle centred on the origin, corners rounded with radius r."""
    x, y, b = w / 2, h / 2, QUARTER_BULGE
    return [(-x + r, -y, 0), (x - r, -y, b), (x, -y + r, 0), (x, y - r, b),
            (x - r, y, 0), (-x + r, y, b), (-x, y - r, 0), (-x, -y + r, b)]


def slot_polyline(x0, x1, y, r):
    """A slot of two half circles, centres (x0, y) and (x1, y)."""
    return [(x0, y - r, 0), (x1, y - r, 1), (x1, y + r, 0), (x0, y + r, 1)]


def case_circle(msp):
    msp.add_circle((10, 20), 5)


def case_rounded_rectangle(msp):
    msp.add_lwpolyline(turned(rounded_rectangle(40, 20, 5), 0, (100, 50)), format="xyb", close=True)


def case_slot(msp):
    """Loose lines and arcs: centres (0, 0) and (30, 0), radius 4."""
    msp.add_line((0, -4), (30, -4))
    msp.add_line((30, 4), (0, 4))
    msp.add_arc((30, 0), 4, -90, 90)
    msp.add_arc((0, 0), 4, 90, 270)


def case_plate_with_holes(msp):
    """A 100 x 60 plate of lines; two round holes (radius 5), a square hole
    of side 10 turned by 45 degrees and a slot 6 wide (radius 3)."""
    corners = [(0, 0), (100, 0), (100, 60), (0, 60)]
    for k, corner in enumerate(corners):
        msp.add_line(corner, corners[(k + 1) % 4])
    msp.add_circle((20, 30), 5)
    msp.add_circle((80, 30), 5)
    square = [(-5, -5, 0), (5, -5, 0), (5, 5, 0), (-5, 5, 0)]
    msp.add_lwpolyline(turned(square, 45, (50, 45)), format="xyb", close=True)
    msp.add_lwpolyline(slot_polyline(40, 60, 15, 3), format="xyb", close=True)


def case_rotated_part(msp):
    """A 60 x 30 plate with corners of radius 5 and a round hole (radius 4)
    in its middle, turned by 30 degrees about the origin and moved to
    (200, 100)."""
    msp.add_lwpolyline(turned(rounded_rectangle(60, 30, 5), 30, (200, 100)), format="xyb",
                       close=True)
    msp.add_circle((200, 100), 4)


def square(msp, x, y, side):
    msp.add_lwpolyline([(x, y), (x + side, y), (x + side, y + side), (x, y + side)], close=True)


def case_island(msp):
    """A square frame (100, hole 60) with a square island (20) in its hole;
    the island has a round hole of radius 4."""
    square(msp, 0, 0, 100)
    square(msp, 20, 20, 60)
    square(msp, 40, 40, 20)
    msp.add_circle((50, 50), 4)


def case_mirrored_insert(doc):
    """A D-shaped plate (a 40 x 20 rectangle with a half circle of radius 10
    on its right end, a round hole of radius 3) inserted mirrored at
    (100, 50), and mirrored and turned by 30 degrees at (300, 50)."""
    block = doc.blocks.new("D")
    block.add_line((0, 0), (40, 0))
    block.add_arc((40, 10), 10, -90, 90)
    block.add_line((40, 20), (0, 20))
    block.add_line((0, 20), (0, 0))
    block.add_circle((10, 10), 3)
    msp = doc.modelspace()
    msp.add_blockref("D", (100, 50), dxfattribs={"xscale": -1})
    msp.add_blockref("D", (300, 50), dxfattribs={"xscale": -1, "rotation": 30})


def case_zero_area(msp):
    """Closed polylines that go out and back along a line."""
    msp.add_lwpolyline([(20, 0), (30, 0), (20, 0)], close=True)
    msp.add_lwpolyline([(40, 0), (50, 0), (60, 0)], close=True)


def write_all():
    cases = {name[len("case_"):]: case for name, case in globals().items()
             if name.startswith("case_")}
    for name, case in cases.items():
        doc = ezdxf.new("R2010")
        doc.header["$INSUNITS"] = 4  # millimetres
        case(doc if name == "mirrored_insert" else doc.modelspace())
        doc.saveas(os.path.join(HERE, name + ".dxf"))


if __name__ == "__main__":
    write_all()
