#!/usr/bin/python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes, with ezdxf, the drawings of how the accurate reader takes what
CAD programs write: closed splines made of Bezier pieces far from the
origin, entities in vertical planes, and layer names in a code page.

Run: /usr/bin/python3 tests/data/accurate/make_input_cases.py
"""
import math
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))

# Handle length of the cubic Bezier closest to a quarter circle of radius 1.
KAPPA = 4 * (math.sqrt(2) - 1) / 3


def rounded_square_pieces(x0, y0, side, radius):
    """The Bezier pieces (four points each) of a rounded square, counter-
    clockwise from the start of its bottom side. Straight pieces have their
    handles on their ends (P0 = P1, P2 = P3), as AutoCAD writes them."""
    r, k = radius, KAPPA * radius
    x1, y1 = x0 + side, y0 + side
    corners = [  # (side start, side end, corner centre, start angle)
        ((x0 + r, y0), (x1 - r, y0), (x1 - r, y0 + r), -90),
        ((x1, y0 + r), (x1, y1 - r), (x1 - r, y1 - r), 0),
        ((x1 - r, y1), (x0 + r, y1), (x0 + r, y1 - r), 90),
        ((x0, y1 - r), (x0, y0 + r), (x0 + r, y0 + r), 180),
    ]
    pieces = []
    for start, end, centre, angle in corners:
        pieces.append([start, start, end, end])
        a, b = math.radians(angle), math.radians(angle + 90)
        p0 = (centre[0] + r * math.cos(a), centre[1] + r * math.sin(a))
        p3 = (centre[0] + r * math.cos(b), centre[1] + r * math.sin(b))
        p1 = (p0[0] - k * math.sin(a), p0[1] + k * math.cos(a))
        p2 = (p3[0] + k * math.sin(b), p3[1] - k * math.cos(b))
        pieces.append([p0, p1, p2, p3])
    return pieces


def add_bezier_spline(msp, pieces, layer):
    """A closed clamped cubic SPLINE through the pieces: every inner knot
    repeated three times, the last control point on the first."""
    points = [pieces[0][0]]
    for piece in pieces:
        points.extend(piece[1:])
    count = len(pieces)
    knots = [0.0] * 4 + [float(k) for k in range(1, count) for _ in range(3)] + [float(count)] * 4
    spline = msp.add_spline(dxfattribs={"layer": layer, "degree": 3})
    spline.control_points = points
    spline.knots = knots
    spline.dxf.flags = 1 | 8  # closed, planar
    return spline


def case_bezier_square_sweep():
    """One rounded square (14 x 14, corner radius 1) per layer, moved to
    offsets 0 to 1000 along x (layer Xnnnn) and along the diagonal (Dnnnn)."""
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    for offset in range(0, 1001, 10):
        for prefix, dx, dy in (("X", offset, 0), ("D", offset, offset)):
            layer = f"{prefix}{offset:04d}"
            doc.layers.add(layer)
            add_bezier_spline(msp, rounded_square_pieces(dx, dy, 14, 1), layer)
    doc.saveas(os.path.join(HERE, "bezier_square_sweep.dxf"))


def vertical_polyline(msp, points, normal, attribs):
    """A polyline in the vertical plane with the given extrusion through
    the world points (which must lie in one such plane)."""
    polyline = msp.add_lwpolyline([], dxfattribs=dict(attribs, extrusion=normal))
    ocs = polyline.ocs()
    local = [ocs.from_wcs(p) for p in points]
    polyline.set_points([(p.x, p.y) for p in local], format="xy")
    polyline.dxf.elevation = local[0].z
    return polyline


def case_vertical_plane():
    """A 40 x 20 plate at height 5 whose bottom and top sides are polylines
    in vertical planes with extrusion (0, 1, 0), as Rhino writes them, with
    a hole; beside it, on layer SIDE, a circle, an arc and a polyline that
    runs straight up, each in a vertical plane."""
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    plate = {"layer": "PLATE"}
    msp.add_line((40, 0, 5), (40, 20, 5), dxfattribs=plate)
    msp.add_line((0, 20, 5), (0, 0, 5), dxfattribs=plate)
    # Object x runs along world -x, object y up, the elevation along world y.
    vertical_polyline(msp, [(0, 0, 5), (25, 0, 5), (40, 0, 5)], (0, 1, 0), plate)
    vertical_polyline(msp, [(40, 20, 5), (0, 20, 5)], (0, 1, 0), plate)
    msp.add_circle((20, 10, 5), 4, dxfattribs=plate)
    side = {"layer": "SIDE"}
    circle = msp.add_circle((0, 0), 3, dxfattribs=dict(side, extrusion=(0, 1, 0)))
    circle.dxf.center = circle.ocs().from_wcs((60, 5, 10))
    arc = msp.add_arc((0, 0), 2, 0, 90, dxfattribs=dict(side, extrusion=(1, 0, 0)))
    arc.dxf.center = arc.ocs().from_wcs((70, 5, 10))
    vertical_polyline(msp, [(80, 5, 0), (80, 5, 10)], (0, 1, 0), side)
    doc.saveas(os.path.join(HERE, "vertical_plane.dxf"))


def case_code_page_names():
    """An R2000 drawing written in code page 936 (GBK) that says so in its
    header: a square on layer 图层 01 inside a block named 零件."""
    doc = ezdxf.new("R2000")
    doc.encoding = "gbk"
    doc.layers.add("图层 01")
    block = doc.blocks.new("零件")
    block.add_lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], close=True,
                         dxfattribs={"layer": "0"})
    doc.modelspace().add_blockref("零件", (0, 0), dxfattribs={"layer": "图层 01"})
    doc.saveas(os.path.join(HERE, "code_page_936.dxf"))


def main():
    case_bezier_square_sweep()
    case_vertical_plane()
    case_code_page_names()


if __name__ == "__main__":
    main()
