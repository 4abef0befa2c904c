#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Accurate geometry against an independent reading of the same drawings:
seeded random drawings written with ezdxf (plates of loose LINEs and ARCs
whose corner fillets are split into two arcs, one of them often a few
hundredths of a degree, with corner arcs shorter than the linking distance,
round holes and rounded-rectangle holes, all at random offsets) are read by
`quillform` (its default, accurate geometry) and by ezdxf, whose flattening
of each entity is noded and polygonized by shapely. Both must find the same
shapes with the same holes and areas (1e-6 relative).

Drawings of three more kinds are written by the same generator but only
checked with --all: closed cubic splines written as Bezier pieces at random
offsets, layer names in a code page ($DWGCODEPAGE ANSI_936) and outlines
drawn in a vertical plane; the reader learns them separately.

usage: accurate_differential_test.py QUILLFORM [--all] [--seeds N]
Exit status 0 when everything agrees, 1 with the differences listed, 77 when
ezdxf or shapely is missing (the test is then reported as skipped)."""

import json
import math
import random
import subprocess
import sys
import tempfile
from pathlib import Path

try:
    import ezdxf
    from ezdxf.math import Vec3
    from shapely.geometry import LineString, Polygon
    from shapely.ops import polygonize, unary_union
except ImportError as missing:
    print(f"{missing.name} is not installed: skipped")
    sys.exit(77)

DISTANCE = 0.01  # the linking distance; every drawn gap is 0
SAGITTA = 1e-7  # ezdxf's flattening, far below the compared share
RELATIVE = 1e-6
SNAP = 1e-7  # ends this close are one point for the reference


# ---------------------------------------------------------------- drawings
def corner_arcs(center, radius, start, rng):
    """A 90 degree corner fillet from angle start, as one arc or split in two
    (often with a piece of a hundredth of a degree at either end)."""
    split = rng.choice([None, 0.01, 89.99, 0.03, rng.uniform(1, 89)])
    if split is None:
        return [(center, radius, start, start + 90)]
    return [(center, radius, start, start + split), (center, radius, start + split, start + 90)]


def rounded_outline(msp, x0, y0, width, height, radius, rng, layer):
    """A rounded rectangle of loose LINEs and ARCs in shuffled order, lines
    drawn either way round."""
    x1, y1 = x0 + width, y0 + height
    corners = [((x1 - radius, y0 + radius), 270), ((x1 - radius, y1 - radius), 0),
               ((x0 + radius, y1 - radius), 90), ((x0 + radius, y0 + radius), 180)]
    arcs = [a for c, s in corners for a in corner_arcs(c, radius, s, rng)]
    lines = [((x0 + radius, y0), (x1 - radius, y0)), ((x1, y0 + radius), (x1, y1 - radius)),
             ((x1 - radius, y1), (x0 + radius, y1)), ((x0, y1 - radius), (x0, y0 + radius))]
    entities = [("arc", a) for a in arcs] + [("line", l) for l in lines]
    rng.shuffle(entities)
    for kind, e in entities:
        if kind == "arc":
            msp.add_arc(e[0], e[1], e[2], e[3], dxfattribs={"layer": layer})
        else:
            start, end = e if rng.random() < 0.5 else (e[1], e[0])
            msp.add_line(start, end, dxfattribs={"layer": layer})


def plate(msp, x, y, rng, layer):
    width, height = rng.uniform(20, 40), rng.uniform(15, 30)
    # Corner radii from ordinary fillets down to arcs whose chord is shorter
    # than the linking distance.
    radius = rng.choice([0.5, 2, 3, 0.004, 0.006])
    rounded_outline(msp, x, y, width, height, radius, rng, layer)
    holes = 0
    if rng.random() < 0.6:
        msp.add_circle((x + 5, y + 5), rng.uniform(0.5, 2), dxfattribs={"layer": layer})
        holes += 1
    if rng.random() < 0.5:
        rounded_outline(msp, x + 10, y + 4, width - 15, height - 8, rng.choice([1, 0.003]), rng,
                        layer)
        holes += 1
    return holes


def bezier_square(msp, x, y, size, r, layer):
    """A closed clamped cubic SPLINE of Bezier pieces (knots of multiplicity
    3): four quarter-circle corners and four straight pieces whose handles
    coincide with their ends."""
    k = 0.5522847498 * r
    x1, y1 = x + size, y + size
    pts = [(x + r, y)]
    def piece(p1, p2, p3):
        pts.extend([p1, p2, p3])
    piece((x + r, y), (x1 - r, y), (x1 - r, y))
    piece((x1 - r + k, y), (x1, y + r - k), (x1, y + r))
    piece((x1, y + r), (x1, y1 - r), (x1, y1 - r))
    piece((x1, y1 - r + k), (x1 - r + k, y1), (x1 - r, y1))
    piece((x1 - r, y1), (x + r, y1), (x + r, y1))
    piece((x + r - k, y1), (x, y1 - r + k), (x, y1 - r))
    piece((x, y1 - r), (x, y + r), (x, y + r))
    piece((x, y + r - k), (x + r - k, y), (x + r, y))
    n = len(pts) // 3
    knots = [0] * 4 + [i for i in range(1, n) for _ in range(3)] + [n] * 4
    spline = msp.add_spline(dxfattribs={"layer": layer})
    spline.dxf.degree = 3
    spline.control_points = pts
    spline.knots = knots
    spline.closed = False  # clamped, its ends meet


def vertical_outline(msp, x, y, rng, layer):
    """A square whose bottom and top sides are LWPOLYLINEs in vertical planes
    (extrusion (0, 1, 0), lifted 5 above the drawing plane): seen from above
    each is a straight line."""
    size = rng.uniform(10, 20)
    msp.add_line((x + size, y), (x + size, y + size), dxfattribs={"layer": layer})
    msp.add_line((x, y + size), (x, y), dxfattribs={"layer": layer})
    ocs = ezdxf.math.OCS((0, 1, 0))
    for a, b in [((x, y), (x + size, y)), ((x + size, y + size), (x, y + size))]:
        pa, pb = ocs.from_wcs(Vec3(a[0], a[1], 5)), ocs.from_wcs(Vec3(b[0], b[1], 5))
        msp.add_lwpolyline([(pa.x, pa.y), (pb.x, pb.y)],
                           dxfattribs={"layer": layer, "extrusion": (0, 1, 0),
                                       "elevation": pa.z})


def write_drawing(path, seed, kind):
    rng = random.Random(seed)
    doc = ezdxf.new("R2000")
    if kind == "codepage":
        doc.encoding = "cp936"
    layer = "图层 01" if kind == "codepage" else "CUT"
    doc.layers.add(layer)
    msp = doc.modelspace()
    offset = (rng.uniform(-1e4, 1e4), rng.uniform(-1e4, 1e4))
    for k in range(rng.randint(1, 4)):
        x, y = offset[0] + 100 * k, offset[1] + rng.uniform(-20, 20)
        if kind == "spline":
            bezier_square(msp, x, y, 14, 1, layer)
        elif kind == "vertical":
            vertical_outline(msp, x, y, rng, layer)
        else:
            plate(msp, x, y, rng, layer)
    doc.saveas(path)
    if kind == "codepage":  # ezdxf writes the bytes in cp936 but names ANSI_1252
        data = Path(path).read_bytes().replace(b"\nANSI_1252\r\n", b"\nANSI_936\r\n", 1)
        data = data.replace(b"\nANSI_1252\n", b"\nANSI_936\n", 1)
        Path(path).write_bytes(data)


# --------------------------------------------------------------- reference
class Snapper:
    """Ends within SNAP of each other become one point."""

    def __init__(self):
        self.cells = {}

    def __call__(self, p):
        key = (round(p[0] / SNAP), round(p[1] / SNAP))
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                found = self.cells.get((key[0] + dx, key[1] + dy))
                if found and math.dist(found, p) <= SNAP:
                    return found
        self.cells[key] = (p[0], p[1])
        return self.cells[key]


def world_points(entity):
    """The entity flattened by ezdxf, in world coordinates seen from above."""
    kind = entity.dxftype()
    if kind == "LINE":
        return [entity.dxf.start, entity.dxf.end], False
    if kind in ("ARC", "CIRCLE", "SPLINE"):
        points = list(entity.flattening(SAGITTA))
        return points, kind == "CIRCLE"
    if kind == "LWPOLYLINE":
        ocs = entity.ocs()
        elevation = entity.dxf.elevation
        points = [ocs.to_wcs(Vec3(x, y, elevation)) for x, y in entity.get_points("xy")]
        return points, entity.closed
    return [], False


def reference(path):
    """{layer: [(area, [hole areas])]} from ezdxf and shapely."""
    doc = ezdxf.readfile(path)
    by_layer = {}
    for entity in doc.modelspace():
        points, closed = world_points(entity)
        if points:
            by_layer.setdefault(entity.dxf.layer, []).append((points, closed))
    result = {}
    for layer, items in by_layer.items():
        snap = Snapper()
        rings, lines = [], []
        for points, closed in items:
            flat = [snap((p[0], p[1])) for p in points]
            if closed or flat[0] == flat[-1] and len(flat) > 3:
                rings.append(Polygon(flat))
            else:
                lines.append(LineString(flat))
        if lines:
            rings += list(polygonize(unary_union(lines)))
        result[layer] = nest([Polygon(r.exterior) for r in rings])
    return result


def nest(rings):
    """Rings at even depth are shapes, at odd depth their holes."""
    rings.sort(key=lambda r: -r.area)
    parents = []
    for k, ring in enumerate(rings):
        inside = [j for j in range(k) if rings[j].contains(ring.representative_point())]
        parents.append(inside[-1] if inside else None)
    depth = []
    for k in range(len(rings)):
        depth.append(0 if parents[k] is None else depth[parents[k]] + 1)
    shapes = []
    for k, ring in enumerate(rings):
        if depth[k] % 2 == 0:
            holes = [rings[j].area for j in range(len(rings)) if parents[j] == k]
            shapes.append((ring.area, sorted(holes)))
    return sorted(shapes)


# ----------------------------------------------------------------- quillform
def outline_area(outline):
    """The exact area an outline of the JSON encloses (arcs included)."""
    if outline["kind"] == "circle":
        return math.pi * outline["circle"]["radius"] ** 2
    v = outline["vertices"]
    twice = 0.0
    for k, a in enumerate(v):
        b = v[(k + 1) % len(v)]
        twice += a["x"] * b["y"] - b["x"] * a["y"]
        if "arc" in a:
            arc = a["arc"]
            cx, cy, r = arc["centerX"], arc["centerY"], arc["radius"]
            s = math.atan2(a["y"] - cy, a["x"] - cx)
            e = math.atan2(b["y"] - cy, b["x"] - cx)
            ccw = arc["direction"] == "ccw"
            sweep = (e - s if ccw else s - e) % (2 * math.pi)
            if sweep == 0:
                sweep = 2 * math.pi
            segment = r * r * (sweep - math.sin(sweep))
            twice += segment if ccw else -segment
    return abs(twice) / 2


def ours(cli, paths):
    done = subprocess.run([cli, "--format", "json", "-q", "-d", str(DISTANCE), *map(str, paths)],
                          capture_output=True, check=False)
    if done.returncode != 0:
        raise RuntimeError(done.stderr.decode())
    documents = json.loads(done.stdout)
    documents = documents if isinstance(documents, list) else [documents]
    results = []
    for document in documents:
        result = {}
        for layer in document["layers"]:
            shapes = [(outline_area(s), sorted(outline_area(h) for h in s["holes"]))
                      for s in layer["shapes"]]
            if shapes:
                result[layer["name"]] = sorted(shapes)
        results.append(result)
    return results


def close(a, b):
    return abs(a - b) <= RELATIVE * max(abs(a), abs(b), 1e-300)


def differences(name, expected, actual):
    found = []
    if sorted(expected) != sorted(actual):
        return [f"{name}: layers {sorted(expected)} against {sorted(actual)}"]
    for layer in expected:
        e, a = expected[layer], actual[layer]
        if len(e) != len(a):
            found.append(f"{name} {layer}: {len(a)} shapes, ezdxf {len(e)}: {a} / {e}")
            continue
        for (ea, eh), (aa, ah) in zip(e, a):
            if not close(ea, aa) or len(eh) != len(ah) or not all(map(close, eh, ah)):
                found.append(f"{name} {layer}: shape {aa} holes {ah}, ezdxf {ea} holes {eh}")
    return found


def main():
    args = sys.argv[1:]
    if not args:
        print(__doc__)
        return 2
    cli = args[0]
    seeds = int(args[args.index("--seeds") + 1]) if "--seeds" in args else 40
    kinds = ["plates"] + (["spline", "codepage", "vertical"] if "--all" in args else [])
    failures, checked = [], 0
    with tempfile.TemporaryDirectory() as folder:
        for kind in kinds:
            paths = []
            for seed in range(1, seeds + 1):
                path = Path(folder) / f"{kind}_{seed}.dxf"
                write_drawing(path, seed, kind)
                paths.append(path)
            for path, actual in zip(paths, ours(cli, paths)):
                failures += differences(path.name, reference(path), actual)
                checked += 1
    for failure in failures:
        print(failure)
    print(f"{checked} drawings checked, {len(failures)} differences")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
