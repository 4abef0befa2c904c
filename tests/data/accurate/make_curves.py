#!/usr/bin/python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes drawings with ellipses, splines and duplicates for the accurate
geometry tests, with ezdxf, and beside each one what ezdxf's own flattening
of its outlines gives: the area and box of every shape and hole
(<name>.expect.json). The reader fits curves with arcs instead of
flattening them; the two must agree within the curve tolerance.

Where ezdxf 0.18 draws a spline other than its mathematics says (an
unclamped periodic spline comes out with open ends), the reference is the
B-spline evaluated over its valid domain with ezdxf's own BSpline.

Run: /usr/bin/python3 tests/data/accurate/make_curves.py
"""
import json
import math
import os

import ezdxf
from ezdxf.math import BSpline, Vec3, rational_bspline_from_arc

HERE = os.path.dirname(os.path.abspath(__file__))


# --- flattening of single entities -----------------------------------------

def flat_points(entity):
    kind = entity.dxftype()
    if kind == "LINE":
        return [Vec3(entity.dxf.start), Vec3(entity.dxf.end)]
    if kind == "LWPOLYLINE":  # the plates: straight edges only
        points = [Vec3(x, y) for x, y in entity.get_points("xy")]
        return points + points[:1] if entity.closed else points
    if kind == "SPLINE" and entity.closed and entity.dxf.flags & 2 and \
            len(entity.knots) == len(entity.control_points) + entity.dxf.degree + 1 and \
            entity.knots[0] != entity.knots[entity.dxf.degree]:
        return periodic_points(entity)
    if kind in ("ELLIPSE", "ARC", "CIRCLE"):
        if kind != "ELLIPSE":
            entity = entity.to_ellipse(replace=False)
        # Points of the ellipse itself (ezdxf's paths approximate ellipses with Beziers).
        tool = entity.construction_tool()
        sweep = tool.param_span
        steps = 20000
        return list(tool.vertices(tool.start_param + sweep * k / steps for k in range(steps + 1)))
    curve = entity.construction_tool()  # a B-spline, from fit points as ezdxf makes it
    return list(curve.approximate(20000))


def periodic_points(spline):
    """An unclamped (periodic) spline over its valid domain."""
    degree = spline.dxf.degree
    points = list(spline.control_points)
    knots = list(spline.knots)
    curve = BSpline(points, order=degree + 1, knots=knots)
    t0, t1 = knots[degree], knots[len(points)]
    steps = 4000
    return [curve.point(t0 + (t1 - t0) * k / steps) for k in range(steps + 1)]


def chain(pieces):
    """Point lists joined end to start, each turned round where needed."""
    pieces = [list(p) for p in pieces]
    if len(pieces) > 1:
        first, second = pieces[0], pieces[1]
        if min(first[0].distance(second[0]), first[0].distance(second[-1])) < \
                min(first[-1].distance(second[0]), first[-1].distance(second[-1])):
            first.reverse()
    points = list(pieces[0])
    for piece in pieces[1:]:
        if piece[-1].distance(points[-1]) < piece[0].distance(points[-1]):
            piece.reverse()
        points.extend(piece[1:])
    return points


def measure(points):
    area = 0.0
    for a, b in zip(points, points[1:] + points[:1]):
        area += a.x * b.y - b.x * a.y
    xs = [p.x for p in points]
    ys = [p.y for p in points]
    return {"area": abs(area) / 2, "box": [min(xs), min(ys), max(xs), max(ys)]}


def outline(*entities):
    return measure(chain(flat_points(e) for e in entities))


# --- the drawings -------------------------------------------------------------

def rectangle(msp, x0, y0, x1, y1):
    return msp.add_lwpolyline([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], close=True)


def case_ellipse_plate(doc):
    msp = doc.modelspace()
    plate = rectangle(msp, 0, 0, 100, 60)
    major = Vec3(15, 0).rotate_deg(30)
    hole = msp.add_ellipse((30, 30), major, 0.5)
    # A D-shaped slot: half an ellipse closed by its axis.
    half = msp.add_ellipse((75, 30), (0, 12), 0.6, 0, math.pi)
    axis = msp.add_line(half.start_point, half.end_point)
    return [(plate, [(hole,), (half, axis)])]


def case_spline_part(doc):
    msp = doc.modelspace()
    # Half lines and an arc, half a cubic spline; an elliptical hole.
    bottom = msp.add_line((0, 0), (80, 0))
    side = msp.add_line((80, 0), (80, 30))
    corner = msp.add_arc((60, 30), 20, 0, 90)
    spline = msp.add_open_spline([(60, 50), (40, 52), (20, 70), (-10, 40), (-5, 15), (0, 0)])
    hole = msp.add_ellipse((40, 25), (10, 4), 0.4)
    return [((bottom, side, corner, spline), [(hole,)])]


def closed_wave(count, radius, ripple):
    return [(radius * (1 + ripple * math.cos(5 * a)) * math.cos(a),
             radius * (1 + ripple * math.cos(5 * a)) * math.sin(a), 0)
            for a in (2 * math.pi * k / count for k in range(count))]


def case_periodic_unclamped(doc):
    msp = doc.modelspace()
    plate = rectangle(msp, -40, -40, 40, 40)
    spline = msp.add_spline()
    spline.set_closed(closed_wave(12, 20, 0.15), 3)  # wrapped points, unclamped knots
    return [(plate, [(spline,)])]


def case_periodic_clamped(doc):
    msp = doc.modelspace()
    plate = rectangle(msp, -40, -40, 40, 40)
    points = closed_wave(12, 20, 0.15)
    points.append(points[0])  # as AutoCAD writes a closed spline: clamped, ends on its start
    spline = msp.add_open_spline(points, 3)
    spline.dxf.flags = spline.dxf.flags | 1
    return [(plate, [(spline,)])]


def case_fit_points(doc):
    msp = doc.modelspace()
    fit = [(0, 0), (10, 8), (25, 6), (40, 12), (50, 0)]
    spline = msp.add_spline(fit)
    spline.dxf.start_tangent = (1, 1, 0)
    spline.dxf.end_tangent = (1, -1, 0)
    base = msp.add_line((50, 0), (0, 0))
    return [((spline, base), [])]


def case_rational_circle(doc):
    msp = doc.modelspace()
    plate = rectangle(msp, 0, 0, 40, 40)
    from ezdxf.math import ConstructionArc
    curve = rational_bspline_from_arc(center=(20, 20), radius=8, start_angle=0, end_angle=360)
    spline = msp.add_rational_spline(curve.control_points, curve.weights(), degree=curve.degree,
                                     knots=curve.knots())
    spline.dxf.flags = spline.dxf.flags | 1
    return [(plate, [(spline,)])]


def case_scaled_circle(doc):
    block = doc.blocks.new("WASHER")
    block.add_circle((0, 0), 10)
    block.add_circle((0, 0), 4)
    msp = doc.modelspace()
    msp.add_blockref("WASHER", (50, 50), dxfattribs={"xscale": 2, "yscale": 1, "rotation": 30})
    ref = doc.modelspace()[0]
    outer, inner = list(ref.virtual_entities())  # ezdxf's ellipses
    return [(outer, [(inner,)])]


def case_mirrored_ellipse(doc):
    msp = doc.modelspace()
    plate = rectangle(msp, 0, 0, 40, 40)
    # In world coordinates the mirrored half bulges downwards, to (20, 15).
    half = msp.add_ellipse((20, 20), (10, 0), 0.5, 0, math.pi, dxfattribs={"extrusion": (0, 0, -1)})
    axis = msp.add_line(half.start_point, half.end_point)
    return [(plate, [(half, axis)])]


CASES = {
    "ellipse_plate": case_ellipse_plate,
    "spline_part": case_spline_part,
    "periodic_unclamped": case_periodic_unclamped,
    "periodic_clamped": case_periodic_clamped,
    "fit_points": case_fit_points,
    "rational_circle": case_rational_circle,
    "scaled_circle": case_scaled_circle,
    "mirrored_ellipse": case_mirrored_ellipse,
}


def as_tuple(value):
    return value if isinstance(value, tuple) else (value,)


def expectations(parts):
    shapes = []
    for outer, holes in parts:
        shape = outline(*as_tuple(outer))
        shape["holes"] = [outline(*hole) for hole in holes]
        shapes.append(shape)
    return {"shapes": shapes}


def case_duplicates(doc):
    msp = doc.modelspace()
    msp.add_line((0, 0), (10, 0))
    msp.add_line((10, 0), (0, 0))  # the same line, the other way
    msp.add_line((10, 0), (10, 10))
    msp.add_arc((5, 10), 5, 0, 180)
    msp.add_arc((5, 10), 5, 0, 180)
    msp.add_line((0, 10), (0, 0))
    msp.add_circle((5, 5), 2)
    msp.add_circle((5, 5), 2)
    square = [(20, 0), (30, 0), (30, 10), (20, 10)]
    msp.add_lwpolyline(square, close=True)
    msp.add_lwpolyline(square[2:] + square[:2], close=True)  # from another vertex
    msp.add_lwpolyline(list(reversed(square)), close=True)  # the other way round


def case_degenerate(doc):
    msp = doc.modelspace()
    rectangle(msp, 0, 0, 10, 10)
    msp.add_lwpolyline([(20, 0), (30, 0)], close=True)  # there and back
    msp.add_lwpolyline([(40, 0), (45, 5), (50, 10)], close=True)  # three points on a line


def main():
    for name, build in CASES.items():
        doc = ezdxf.new("R2010")
        parts = build(doc)
        doc.saveas(os.path.join(HERE, name + ".dxf"))
        with open(os.path.join(HERE, name + ".expect.json"), "w") as out:
            json.dump(expectations(parts), out, indent=1)
            out.write("\n")
    for name, build in (("duplicates", case_duplicates), ("degenerate", case_degenerate)):
        doc = ezdxf.new("R2010")
        build(doc)
        doc.saveas(os.path.join(HERE, name + ".dxf"))


if __name__ == "__main__":
    main()
