# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Shapes as shapely geometry, for those who go on with GEOS."""
import math


def _arc_points(start, end, arc, tolerance):
    """Points along an arc edge after its start, end included, no farther than
    the tolerance from the true arc (the sagitta of each step)."""
    cx, cy, r = arc.center_x, arc.center_y, math.hypot(start[0] - arc.center_x,
                                                      start[1] - arc.center_y)
    a = math.atan2(start[1] - cy, start[0] - cx)
    b = math.atan2(end[1] - cy, end[0] - cx)
    sweep = (b - a) % (2 * math.pi) or 2 * math.pi
    if arc.clockwise:
        sweep -= 2 * math.pi
    step = 2 * math.acos(max(-1.0, 1 - tolerance / r)) if r > tolerance else math.pi / 2
    count = max(1, math.ceil(abs(sweep) / step))
    points = [(cx + r * math.cos(a + sweep * k / count), cy + r * math.sin(a + sweep * k / count))
              for k in range(1, count)]
    return points + [end]


def _ring(outline, tolerance):
    if outline.kind == "circle":
        c = outline.circle
        r = c.radius
        step = 2 * math.acos(max(-1.0, 1 - tolerance / r)) if r > tolerance else math.pi / 2
        count = max(8, math.ceil(2 * math.pi / step))
        return [(c.center_x + r * math.cos(2 * math.pi * k / count),
                 c.center_y + r * math.sin(2 * math.pi * k / count)) for k in range(count)]
    vertices = outline.vertices
    ring = []
    for k, v in enumerate(vertices):
        start = (v.x, v.y)
        nxt = vertices[(k + 1) % len(vertices)]
        ring.append(start)
        if v.arc is not None:
            ring.extend(_arc_points(start, (nxt.x, nxt.y), v.arc, tolerance)[:-1])
    return ring


def to_shapely(outline, tolerance=0.01):
    """The outline (and, for a shape, its holes) as a shapely Polygon, arcs
    flattened so that no point of the true outline is farther than the
    tolerance from the polygon's edges. Needs shapely."""
    from shapely.geometry import Polygon
    holes = [_ring(hole, tolerance) for hole in getattr(outline, "holes", [])]
    return Polygon(_ring(outline, tolerance), holes)
