# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""A small reader of SVG path data (M, L, A and Z, absolute, as the cut SVG
writes them) for the tests: each subpath as a list of points, arcs
flattened by the centre parameterisation of the SVG specification."""

import math
import re

STEP = math.radians(0.2)  # flattening step: area within about 1e-6 of the arc's


def _arc_centre(start, rx, ry, large, sweep, end):
    """The centre parameterisation of an arc (no rotation): cx, cy, rx, ry,
    the start angle and the signed sweep."""
    (x1, y1), (x2, y2) = start, end
    hx, hy = (x1 - x2) / 2, (y1 - y2) / 2
    scale = hx * hx / (rx * rx) + hy * hy / (ry * ry)
    if scale > 1:  # radii too small for the chord: enlarged as the specification says
        rx, ry = rx * math.sqrt(scale), ry * math.sqrt(scale)
    num = rx * rx * ry * ry - rx * rx * hy * hy - ry * ry * hx * hx
    den = rx * rx * hy * hy + ry * ry * hx * hx
    coef = math.sqrt(max(0.0, num / den)) * (-1 if large == sweep else 1)
    cxp, cyp = coef * rx * hy / ry, -coef * ry * hx / rx
    cx, cy = cxp + (x1 + x2) / 2, cyp + (y1 + y2) / 2
    theta = math.atan2((hy - cyp) / ry, (hx - cxp) / rx)
    delta = math.atan2((-hy - cyp) / ry, (-hx - cxp) / rx) - theta
    if sweep and delta < 0:
        delta += 2 * math.pi
    elif not sweep and delta > 0:
        delta -= 2 * math.pi
    return cx, cy, rx, ry, theta, delta


def _arc_points(start, rx, ry, large, sweep, end):
    """Points after `start` along an elliptical arc (no rotation) to `end`."""
    if rx == 0 or ry == 0 or start == end:
        return [end]
    cx, cy, rx, ry, theta, delta = _arc_centre(start, rx, ry, large, sweep, end)
    n = max(4, math.ceil(abs(delta) / STEP))
    points = [(cx + rx * math.cos(theta + delta * k / n), cy + ry * math.sin(theta + delta * k / n))
              for k in range(1, n)]
    return points + [end]


def subpath_areas(d):
    """The signed area of each subpath with its arcs taken exactly (circular
    arcs, as the cut SVG writes them): the polygon of its vertices plus, for
    each arc, the segment between the arc and its chord."""
    tokens = re.findall(r"[MLAZ]|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?", d)
    areas, vertices, segments, i = [], [], 0.0, 0
    while i < len(tokens):
        command, i = tokens[i], i + 1
        if command == "M" and vertices:
            areas.append(ring_area(vertices) + segments)
            vertices, segments = [], 0.0
        if command in "ML":
            vertices.append((float(tokens[i]), float(tokens[i + 1])))
            i += 2
        elif command == "A":
            rx, ry, _, large, sweep, x, y = (float(t) for t in tokens[i:i + 7])
            if rx and ry and vertices[-1] != (x, y):
                r, delta = _arc_centre(vertices[-1], rx, ry, large == 1, sweep == 1, (x, y))[2::3]
                segments += r * r / 2 * (delta - math.sin(delta))
            vertices.append((x, y))
            i += 7
    if vertices:
        areas.append(ring_area(vertices) + segments)
    return areas


def subpaths(d):
    """The subpaths of path data as lists of points (a closed one does not
    repeat its first point) and whether each was closed."""
    tokens = re.findall(r"[MLAZ]|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?", d)
    result, points, i, closed = [], None, 0, False
    while i < len(tokens):
        command = tokens[i]
        i += 1
        if command == "M":
            if points:
                result.append((points, closed))
            points, closed = [(float(tokens[i]), float(tokens[i + 1]))], False
            i += 2
        elif command == "L":
            points.append((float(tokens[i]), float(tokens[i + 1])))
            i += 2
        elif command == "A":
            rx, ry, _, large, sweep, x, y = (float(t) for t in tokens[i:i + 7])
            points.extend(_arc_points(points[-1], rx, ry, large == 1, sweep == 1, (x, y)))
            i += 7
        elif command == "Z":
            closed = True
            if len(points) > 1 and points[-1] == points[0]:
                points.pop()
        else:
            raise ValueError(f"unexpected path command {command}")
    if points:
        result.append((points, closed))
    return result


def ring_area(points):
    """The signed area of a closed ring of points (positive counter-clockwise, y up)."""
    return sum(points[k - 1][0] * p[1] - p[0] * points[k - 1][1]
               for k, p in enumerate(points)) / 2
