#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Checks the measures of every part against an independent implementation:
the outlines `quillform --format json` writes (vertices, arc centres, radii
and directions) are flattened here with a tight tolerance, shapely measures
the flat outlines, and the figures the same document gives (`measures` of
every shape and hole, `totals` of every layer and of the file) must agree.
Every drawing of tests/data (recursively; the real drawings of
tests/data/real in accurate geometry only, the others in both modes) and
seeded random drawings written with ezdxf.

Flattening gives bounds, not just estimates: chords inscribed in the arcs
give a hull and smallest rectangle no larger than the true ones, and the
tangents' corners (outside the arcs) give ones no smaller; areas and
lengths of the chord polygon differ from the true ones by less than the
sagitta times the length.

usage: measures_shapely_test.py QUILLFORM DATA_DIR
Exit status 0 when everything holds, 1 with the failures listed, 77 when
shapely, numpy or ezdxf is missing (the test is then reported as skipped)."""

import json
import math
import random
import subprocess
import sys
import tempfile
from pathlib import Path

try:
    import ezdxf
    import numpy as np
    from shapely.geometry import LineString, MultiPoint
except ImportError as missing:
    print(f"{missing.name} is not installed: skipped")
    sys.exit(77)

# The flattening's sagitta, as a share of the outline's size; shapely's
# minimum_rotated_rectangle (quadratic, in Python) gets a coarser one, and
# only hulls of up to SHAPELY_CORNERS corners (nearly every outline; the
# rotating calipers below check every one).
SAGITTA = 1e-6
COARSE_SAGITTA = 4e-3
SHAPELY_CORNERS = 100
# What rounding may add to any comparison, as a share of the size.
ROUNDING = 1e-9
RANDOM_DRAWINGS = 24


def run(command):
    done = subprocess.run(command, capture_output=True, check=False)
    if done.returncode not in (0, 1, 3):
        raise RuntimeError(f"{command}: exit status {done.returncode}: {done.stderr.decode()}")
    return json.loads(done.stdout)


def documents(cli, files, accurate):
    """The JSON document of each file."""
    if not files:
        return []
    found = run([cli, "--format", "json", *(["--accurate"] if accurate else []), *files])
    return found if len(files) > 1 else [found]


def sweep(vertex, following):
    """The signed sweep of the arc edge leaving vertex (whole turn when it
    returns to its own start)."""
    arc = vertex["arc"]
    a = math.atan2(vertex["y"] - arc["centerY"], vertex["x"] - arc["centerX"])
    b = math.atan2(following["y"] - arc["centerY"], following["x"] - arc["centerX"])
    if arc["direction"] == "ccw":
        turn = (b - a) % (2 * math.pi)
        return a, turn if turn > 0 else 2 * math.pi
    turn = (a - b) % (2 * math.pi)
    return a, -(turn if turn > 0 else 2 * math.pi)


def arc_points(cx, cy, r, start, turn, sagitta):
    """Chord ends on the arc after its start, its end included (linking may
    have joined it to a vertex apart, which an edge then goes on to), and the
    corners of the tangents at every chord end (outside the arc)."""
    step = 2 * math.acos(max(-1.0, 1 - sagitta / r)) if r > 0 else math.pi
    n = max(2, math.ceil(abs(turn) / min(step, math.pi / 2)))
    inner_t = start + turn * np.arange(1, n + 1) / n
    outer_t = start + turn * (np.arange(n) + 0.5) / n
    outer_r = r / math.cos(abs(turn) / n / 2)
    inner = np.column_stack([cx + r * np.cos(inner_t), cy + r * np.sin(inner_t)])
    outer = np.column_stack([cx + outer_r * np.cos(outer_t), cy + outer_r * np.sin(outer_t)])
    return inner, outer


class Flat:
    """An outline flattened: the chord polygon, the points of the outside
    bound, its exact extras (lengths and turns of arcs) and its radii."""

    def __init__(self, outline, sagitta_share):
        self.sagitta = 0.0  # the largest a chord may stray from its arc
        self.radii = []
        self.turn = 0.0  # the arcs' sweeps, summed
        # How far an arc's ends lie off its circle: drawings round their
        # coordinates, and the measures draw each arc through its start.
        self.misfit = 0.0
        if outline["kind"] == "circle":
            self._circle(outline["circle"], sagitta_share)
        else:
            self._polygon(outline["vertices"], sagitta_share)

    def _circle(self, c, share):
        r = abs(c["radius"])
        self.radii.append(r)
        self.turn = 2 * math.pi
        self.sagitta = max(share * 2 * r, 1e-300)
        inner, outer = arc_points(c["centerX"], c["centerY"], r, 0, 2 * math.pi, self.sagitta)
        start = np.array([[c["centerX"] + r, c["centerY"]]])
        self.inner = np.vstack([start, inner])
        self.outer = np.vstack([self.inner, outer])
        self._centre()

    def _polygon(self, vertices, share):
        xy = np.array([[v["x"], v["y"]] for v in vertices]).reshape(-1, 2)
        size = float(np.ptp(xy, axis=0).max()) if len(xy) else 0.0
        for v in vertices:
            if "arc" in v:
                size = max(size, 2 * v["arc"]["radius"])
        self.sagitta = max(share * size, 1e-300)
        inner, outer = [], []
        for k, v in enumerate(vertices):
            inner.append(xy[k:k + 1])
            outer.append(xy[k:k + 1])
            if "arc" not in v:
                continue
            arc = v["arc"]
            self.radii.append(abs(arc["radius"]))
            following = vertices[(k + 1) % len(vertices)]
            for end in (v, following):
                off = math.hypot(end["x"] - arc["centerX"], end["y"] - arc["centerY"])
                self.misfit = max(self.misfit, abs(off - arc["radius"]))
            start, turn = sweep(v, vertices[(k + 1) % len(vertices)])
            self.turn += abs(turn)
            i, o = arc_points(arc["centerX"], arc["centerY"], arc["radius"], start, turn,
                              self.sagitta)
            inner.append(i)
            outer.append(o)
        self.inner = np.vstack(inner) if inner else np.zeros((0, 2))
        self.outer = np.vstack(outer + [self.inner]) if outer else self.inner
        self._centre()

    def _centre(self):
        """Points relative to the first one: far from the origin, areas keep
        their digits. `origin` brings them back."""
        self.origin = self.inner[0].copy() if len(self.inner) else np.zeros(2)
        self.inner = self.inner - self.origin
        self.outer = self.outer - self.origin

    def hulls(self):
        """The convex hulls of the inner and the outer points (once)."""
        if not hasattr(self, "_hulls"):
            self._hulls = hull(self.inner), hull(self.outer)
        return self._hulls

    def size(self):
        return float(np.ptp(self.outer, axis=0).max()) if len(self.outer) else 0.0

    def area(self):
        x, y = self.inner[:, 0], self.inner[:, 1]
        return abs(float(np.dot(x, np.roll(y, -1)) - np.dot(np.roll(x, -1), y))) / 2

    def length(self):
        closed = np.vstack([self.inner, self.inner[:1]])
        return float(np.hypot(*np.diff(closed, axis=0).T).sum())


def hull(points):
    """The convex hull of the points (through a line string: shapely builds
    one from an array much faster than a multi-point)."""
    return (LineString(points) if len(points) > 1 else MultiPoint(points)).convex_hull


def shapely_rectangle_area(points):
    """shapely's smallest rectangle's area, or None for a hull of too many corners."""
    polygon = hull(points)
    if polygon.geom_type == "Polygon" and len(polygon.exterior.coords) > SHAPELY_CORNERS + 1:
        return None
    return polygon.minimum_rotated_rectangle.area


def calipers_rectangle_area(polygon):
    """The smallest rectangle's area around a convex polygon, one side along
    one of its edges: rotating calipers, the supporting corners found by the
    edges' normal directions (numpy, for many points)."""
    if polygon.geom_type != "Polygon":
        return 0.0
    corners = np.array(polygon.exterior.coords)[:-1]
    x, y = corners[:, 0], corners[:, 1]
    if np.dot(x, np.roll(y, -1)) < np.dot(np.roll(x, -1), y):  # clockwise: turn it round
        corners = corners[::-1]
    n = len(corners)
    edges = np.roll(corners, -1, axis=0) - corners
    along = np.unwrap(np.arctan2(edges[:, 1], edges[:, 0]))
    normals = along - math.pi / 2  # corner k supports the directions up to normals[k - 1 .. k]

    def support(directions):
        wrapped = normals[0] + np.mod(directions - normals[0], 2 * math.pi)
        k = np.searchsorted(normals, wrapped)
        u = np.column_stack([np.cos(directions), np.sin(directions)])
        # The neighbours too: rounding may pick the corner beside.
        return np.max([np.einsum("ij,ij->i", corners[(k + d) % n], u) for d in (-1, 0, 1)],
                      axis=0)

    width = support(along) + support(along + math.pi)
    height = support(along + math.pi / 2) + support(along - math.pi / 2)
    return float((width * height).min())


def extent(points, angle):
    """The points' extent along direction angle (radians)."""
    along = points @ np.array([math.cos(angle), math.sin(angle)])
    return float(along.max() - along.min())


def coordinates(outline):
    """Every coordinate and radius of the outline (None where JSON has null)."""
    if outline["kind"] == "circle":
        c = outline["circle"]
        return [c["centerX"], c["centerY"], c["radius"]]
    values = []
    for v in outline["vertices"]:
        values += [v["x"], v["y"]]
        if "arc" in v:
            values += [v["arc"]["centerX"], v["arc"]["centerY"], v["arc"]["radius"]]
    return values


def finite_input(outline):
    """True when every value is finite and small enough that no figure can
    overflow, False when one is not finite, None in between (figures may
    overflow: either answer is right)."""
    values = coordinates(outline)
    if any(v is None for v in values):
        return False
    return True if all(abs(v) < 1e150 for v in values) else None


def within(failures, where, name, value, low, high):
    if not low <= value <= high:
        failures.append(f"{where}: {name} {value!r} outside [{low!r}, {high!r}]")


def check_box(failures, where, flat, m, slack):
    """Width and height of the axis-aligned box lie between the extents of
    the inner and the outer flattening."""
    for name, angle in (("width", 0), ("height", math.pi / 2)):
        within(failures, where, name, m[name], extent(flat.inner, angle) - slack,
               extent(flat.outer, angle) + slack)


SHAPELY_RECTANGLES = []  # the outlines whose rectangle shapely checked too


def check_rectangle(failures, where, flat, outline, rect, area2, slack):
    area = rect["width"] * rect["height"]
    within(failures, where, "minRectangle area", area,
           calipers_rectangle_area(flat.hulls()[0]) - area2,
           calipers_rectangle_area(flat.hulls()[1]) + area2)
    coarse = Flat(outline, COARSE_SAGITTA)
    low, high = shapely_rectangle_area(coarse.inner), shapely_rectangle_area(coarse.outer)
    if low is not None and high is not None:
        within(failures, where, "minRectangle area (shapely)", area, low - area2, high + area2)
        SHAPELY_RECTANGLES.append(where)
    within(failures, where, "minRectangle angle", rect["angle"], 0, 90 - 1e-12)
    t = math.radians(rect["angle"])
    for name, side, angle in (("width", rect["width"], t),
                              ("height", rect["height"], t + math.pi / 2)):
        within(failures, where, f"minRectangle {name}", side,
               extent(flat.inner, angle) - slack, extent(flat.outer, angle) + slack)


# Outlines already checked, by their JSON and figures: both geometry modes
# give most fixtures the same outlines, and one check does for both.
CHECKED = {}


def check_outline(failures, where, outline, m):
    """The figures m of one outline (area, length, width, height,
    minRectangle, hullArea) against its flattening; returns the flattening
    (None when it has no figures or they cannot be checked)."""
    key = json.dumps([outline.get("circle"), outline.get("vertices"), m])
    if key not in CHECKED:
        found = []
        CHECKED[key] = where, found, check_new_outline(found, where, outline, m)
        failures += found
    elif CHECKED[key][1]:
        failures.append(f"{where}: the failures of {CHECKED[key][0]}")
    return CHECKED[key][2]


def check_new_outline(failures, where, outline, m):
    finite = finite_input(outline)
    if m is None:
        if finite:
            failures.append(f"{where}: no measures for finite coordinates")
        return None
    if finite is not True:
        if finite is False:
            failures.append(f"{where}: measures for non-finite coordinates")
        return None
    flat = Flat(outline, SAGITTA)
    if len(flat.inner) == 0:  # a polygon without vertices: nothing to measure
        for name in ("area", "length", "hullArea", "width", "height"):
            if m[name] != 0:
                failures.append(f"{where}: {name} {m[name]} without vertices")
        return flat
    size = flat.size()
    slack = ROUNDING * max(size, 1e-300) + 2 * flat.misfit
    sag = flat.sagitta
    length = m["length"]
    length_slack = slack + flat.misfit * (flat.turn + 2 * len(flat.radii))
    within(failures, where, "length", length, flat.length() - length_slack,
           flat.length() + sag * flat.turn + slack * 10 + length_slack)
    area_slack = (sag + slack) * (length + size) + slack * size
    within(failures, where, "area", m["area"], flat.area() - area_slack, flat.area() + area_slack)
    area2 = slack * (size + length) * 10
    if len(flat.inner) >= 3:
        inner, outer = flat.hulls()
        within(failures, where, "hullArea", m["hullArea"], inner.area - area2, outer.area + area2)
        check_rectangle(failures, where, flat, outline, m["minRectangle"], area2, slack)
    check_box(failures, where, flat, m, slack)
    return flat


def outer_figures(m):
    """The part's figures of its outer outline, named as an outline's."""
    return {"area": m["outerArea"], "length": m["outerLength"], "width": m["width"],
            "height": m["height"], "minRectangle": m["minRectangle"], "hullArea": m["hullArea"]}


def radius_of(flats):
    return min([r for f in flats for r in f.radii], default=None)


def check_part(failures, where, shape):
    """The part's figures; returns (measures, outer flattening) or (None, None)."""
    m = shape["measures"]
    holes = [(f"{where} hole {k}", hole, hole["measures"]) for k, hole in enumerate(shape["holes"])]
    if m is not None and not all(h["measures"] is not None for h in shape["holes"]):
        failures.append(f"{where}: part measures beside a hole without")
    outer = check_outline(failures, where, shape, None if m is None else outer_figures(m))
    flats = [check_outline(failures, name, hole, hm) for name, hole, hm in holes]
    for (name, hole, hm), flat in zip(holes, flats):
        if flat is not None and hm.get("smallestRadius") != radius_of([flat]):
            failures.append(f"{name}: smallestRadius {hm.get('smallestRadius')}, radii "
                            f"{radius_of([flat])}")
    if m is None or outer is None or any(f is None for f in flats):
        return m, None  # no figures, or figures too large to check
    hole_measures = [hm for _, _, hm in holes]
    expected = {
        "pierces": 1 + len(holes),
        "smallestRadius": radius_of([outer, *flats]),
        "smallestHole": min([2 * abs(h["circle"]["radius"]) if h["kind"] == "circle" else
                             min(hm["minRectangle"]["width"], hm["minRectangle"]["height"])
                             for h, hm in zip(shape["holes"], hole_measures)], default=None),
    }
    for name, value in expected.items():
        if m.get(name) != value:
            failures.append(f"{where}: {name} {m.get(name)!r}, expected {value!r}")
    size = outer.size()
    net = m["outerArea"] - sum(h["area"] for h in hole_measures)
    cut = m["outerLength"] + sum(h["length"] for h in hole_measures)
    within(failures, where, "area", m["area"], net - ROUNDING * size * size,
           net + ROUNDING * size * size)
    within(failures, where, "cutLength", m["cutLength"], cut * (1 - 1e-12), cut * (1 + 1e-12))
    return m, outer


def check_totals_box(failures, where, box, outers):
    """The totals' box holds every measured part's outline and lies within
    their outer flattenings."""
    if not outers:
        if box is not None:
            failures.append(f"{where}: a totals box without measured parts")
        return
    if box is None:
        failures.append(f"{where}: no totals box")
        return
    inner_low = np.min([f.inner.min(axis=0) + f.origin for f in outers], axis=0)
    inner_high = np.max([f.inner.max(axis=0) + f.origin for f in outers], axis=0)
    outer_low = np.min([f.outer.min(axis=0) + f.origin for f in outers], axis=0)
    outer_high = np.max([f.outer.max(axis=0) + f.origin for f in outers], axis=0)
    slack = ROUNDING * max(float(np.max(outer_high - outer_low)), 1e-300) + \
        max(2 * f.misfit for f in outers)
    for name, value, low, high in (("minX", box["minX"], outer_low[0], inner_low[0]),
                                   ("minY", box["minY"], outer_low[1], inner_low[1]),
                                   ("maxX", box["maxX"], inner_high[0], outer_high[0]),
                                   ("maxY", box["maxY"], inner_high[1], outer_high[1])):
        within(failures, where, f"totals {name}", value, low - slack, high + slack)


def check_totals(failures, where, totals, parts):
    """Layer totals against the parts: (measures, outer flattening) each."""
    measured = [m for m, _ in parts if m is not None]
    expected = {"parts": len(parts), "unmeasured": len(parts) - len(measured),
                "pierces": sum(p["pierces"] for p in measured)}
    for name, value in expected.items():
        if totals[name] != value:
            failures.append(f"{where}: totals {name} {totals[name]}, expected {value}")
    for name in ("cutLength", "area"):
        value = sum(p[name] for p in measured)
        if not math.isclose(totals[name], value, rel_tol=1e-9, abs_tol=1e-9):
            failures.append(f"{where}: totals {name} {totals[name]}, expected {value}")
    if all(flat is not None for m, flat in parts if m is not None):
        check_totals_box(failures, where, totals.get("bounds"),
                         [flat for m, flat in parts if m is not None])


def check_document(failures, doc):
    name = doc["file"]
    count = 0
    for layer in doc["layers"]:
        parts = [check_part(failures, f"{name} {layer['name']} shape {k}", shape)
                 for k, shape in enumerate(layer["shapes"])]
        check_totals(failures, f"{name} {layer['name']}", layer["totals"], parts)
        count += len(parts)
    layers = [layer["totals"] for layer in doc["layers"]]
    for key in ("parts", "unmeasured", "pierces", "cutLength", "area"):
        value = sum(t[key] for t in layers)
        if not math.isclose(doc["totals"][key], value, rel_tol=1e-12, abs_tol=1e-12):
            failures.append(f"{name}: file totals {key} {doc['totals'][key]}, expected {value}")
    boxes = [t["bounds"] for t in layers if "bounds" in t]
    if boxes:
        union = {"minX": min(b["minX"] for b in boxes), "minY": min(b["minY"] for b in boxes),
                 "maxX": max(b["maxX"] for b in boxes), "maxY": max(b["maxY"] for b in boxes)}
        if doc["totals"].get("bounds") != union:
            failures.append(f"{name}: file totals bounds {doc['totals'].get('bounds')}, "
                            f"expected {union}")
    elif "bounds" in doc["totals"]:
        failures.append(f"{name}: file totals bounds without measured parts")
    return count


def rotated(points, angle, at):
    c, s = math.cos(angle), math.sin(angle)
    return [(at[0] + x * c - y * s, at[1] + x * s + y * c, *rest) for x, y, *rest in points]


def rounded_rectangle(w, h, r):
    """Corners (x, y, bulge) of a w x h rectangle centred on 0 with corner radius r."""
    b = math.tan(math.pi / 8) if r > 0 else 0
    x, y = w / 2, h / 2
    points = [(-x + r, -y, 0), (x - r, -y, b), (x, -y + r, 0), (x, y - r, b),
              (x - r, y, 0), (-x + r, y, b), (-x, y - r, 0), (-x, -y + r, b)]
    return [p for k, p in enumerate(points) if r > 0 or k % 2 == 0]


def star(rng, radius):
    n = rng.choice([rng.randint(3, 9), rng.randint(17, 40)])
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(n))
    return [(radius * rng.uniform(0.6, 1) * math.cos(a), radius * rng.uniform(0.6, 1) * math.sin(a),
             rng.choice([0, 0, rng.uniform(-0.4, 0.4)])) for a in angles]


def comb(rng, w, h):
    """A w x h bar with teeth on top: many corners, sides along the axes."""
    teeth = rng.randint(3, 12)
    step, tooth = w / (2 * teeth), h * rng.uniform(0.2, 1)
    points = [(-w / 2, -h / 2), (w / 2, -h / 2)]
    for k in range(teeth):
        x = w / 2 - 2 * k * step
        points += [(x, h / 2 + tooth), (x - step, h / 2 + tooth), (x - step, h / 2),
                   (x - 2 * step, h / 2)]
    return [(x, y, 0) for x, y in points]


def add_lens(msp, rng, at, size):
    """Two arcs of different circles through the same two points: a lens,
    whose smallest rectangle need not lie along a side."""
    half = size / 2
    angle = rng.uniform(0, 2 * math.pi)
    ends = rotated([(0, -half), (0, half)], angle, at)
    for bulge in (rng.uniform(0.2, 1.5), rng.uniform(0.2, 1.5)):
        msp.add_lwpolyline([(*ends[0][:2], bulge), (*ends[1][:2], 0)], format="xyb")
        ends = ends[::-1]


def add_slot(msp, at, length, r, angle):
    a, b = rotated([(-length / 2, 0), (length / 2, 0)], angle, at)
    d = math.degrees(angle)
    for side in (1, -1):
        p = rotated([(-length / 2, side * r), (length / 2, side * r)], angle, at)
        msp.add_line(p[0][:2], p[1][:2])
    msp.add_arc(b[:2], r, d - 90, d + 90)
    msp.add_arc(a[:2], r, d + 90, d + 270)


def add_part(msp, rng, at, size):
    kind = rng.choice(["rounded", "rounded", "star", "circle", "slot", "lens", "comb"])
    # Upright now and then: sides then face the axes exactly.
    angle = rng.choice([0, math.pi / 2, rng.uniform(0, 2 * math.pi)])
    if kind == "rounded":
        w, h = size * rng.uniform(0.5, 1), size * rng.uniform(0.3, 1)
        r = rng.choice([0, rng.uniform(0, min(w, h) / 2 * 0.9)])
        msp.add_lwpolyline(rotated(rounded_rectangle(w, h, r), angle, at), format="xyb", close=True)
        for _ in range(rng.randint(0, 3)):
            hole = rng.choice(["circle", "slot", "square"])
            spot = (at[0] + rng.uniform(-0.15, 0.15) * w, at[1] + rng.uniform(-0.1, 0.1) * h)
            if hole == "circle":
                msp.add_circle(spot, min(w, h) * rng.uniform(0.02, 0.08))
            elif hole == "slot":
                add_slot(msp, spot, min(w, h) * 0.1, min(w, h) * 0.03, rng.uniform(0, math.pi))
            else:
                side = min(w, h) * 0.05
                msp.add_lwpolyline(rotated(rounded_rectangle(side, side, 0), rng.uniform(0, 1), spot),
                                   format="xyb", close=True)
    elif kind == "star":
        msp.add_lwpolyline(rotated(star(rng, size / 2), angle, at), format="xyb", close=True)
    elif kind == "comb":
        shape = comb(rng, size, size * rng.uniform(0.2, 0.5))
        msp.add_lwpolyline(rotated(shape, angle, at), format="xyb", close=True)
    elif kind == "circle":
        msp.add_circle(at, size * rng.uniform(0.1, 0.5))
    elif kind == "slot":
        add_slot(msp, at, size * rng.uniform(0.2, 0.7), size * rng.uniform(0.05, 0.15), angle)
    else:
        add_lens(msp, rng, at, size)


def random_drawing(seed, path):
    rng = random.Random(seed)
    doc = ezdxf.new()
    msp = doc.modelspace()
    # Far from the origin now and then, where rounding is coarser.
    origin = rng.choice([(0, 0), (0, 0), (1e5, -2e5), (-3e6, 7e6)])
    size = rng.choice([1, 50, 1000])
    for k in range(rng.randint(4, 12)):
        add_part(msp, rng, (origin[0] + (k % 4) * 2 * size, origin[1] + (k // 4) * 2 * size), size)
    doc.saveas(path)


def main():
    cli, data = sys.argv[1], Path(sys.argv[2])
    fixtures = [str(f) for f in sorted(data.rglob("*.dxf")) if "real" not in f.relative_to(data).parts]
    real = [str(f) for f in sorted((data / "real").glob("*.dxf"))]
    failures, parts, docs = [], 0, 0
    with tempfile.TemporaryDirectory() as folder:
        drawings = []
        for seed in range(RANDOM_DRAWINGS):
            drawings.append(str(Path(folder) / f"random-{seed}.dxf"))
            random_drawing(seed, drawings[-1])
        runs = [(fixtures, False), (fixtures, True), (real, True),
                (drawings[::2], False), (drawings[1::2], True)]
        for files, accurate in runs:
            for doc in documents(cli, files, accurate):
                parts += check_document(failures, doc)
                docs += 1
    for failure in failures[:200]:
        print(failure)
    print(f"{parts} parts of {docs} documents checked ({len(CHECKED)} distinct outlines, "
          f"{len(SHAPELY_RECTANGLES)} rectangles by shapely too), {len(failures)} failures")
    return 1 if failures or parts == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
