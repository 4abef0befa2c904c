#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""The cut files of every drawing in tests/data (both geometry modes), read
by other programs: the DXF by ezdxf (its audit) and GDAL (its DXF driver),
the GeoJSON by shapely and GDAL, the SVG by librsvg (rsvg-convert) and a
small path reader (svg_paths.py). What each file must hold comes from the
test program's summary: every shape with the areas of its contours from
the value API.

usage: cut_files_clients_test.py CUT_FILES_TOOL DATA_DIR
Exit status 0 when everything holds, 1 with the failures listed, 77 when a
client is missing (the test is then reported as skipped). Run it with
Debian's /usr/bin/python3 (python3-ezdxf, python3-gdal, python3-shapely;
gdal-bin and librsvg2-bin for the commands)."""

import hashlib
import json
import math
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import zlib
from xml.etree import ElementTree
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

try:
    import ezdxf
    from ezdxf import bbox as ezdxf_bbox
    from ezdxf import path as ezdxf_path
    from osgeo import gdal, ogr
    from shapely.geometry import shape as shapely_shape
except ImportError as missing:
    print(f"{missing.name} is not installed: skipped")
    sys.exit(77)

sys.path.insert(0, str(Path(__file__).parent))
import svg_paths  # noqa: E402

for command in ("rsvg-convert", "ogrinfo", "ogr2ogr"):
    if not shutil.which(command):
        print(f"{command} is not installed: skipped")
        sys.exit(77)

gdal.UseExceptions()
# GDAL turns arcs into chords of this many degrees; its areas are compared
# within what that costs (about step^2/6 of the area the arcs sweep).
ARC_STEP_DEGREES = 0.1
GDAL_AREA = 1e-5
gdal.SetConfigOption("OGR_ARC_STEPSIZE", str(ARC_STEP_DEGREES))
SVG = "{http://www.w3.org/2000/svg}"


class Case:
    """One drawing with one set of options, and its files in a folder."""

    def __init__(self, fixture, folder, options):
        self.fixture, self.folder, self.options = fixture, folder, options
        self.name = f"{fixture.name} {' '.join(options)}".strip()
        self.dxf, self.svg = folder / "cut.dxf", folder / "cut.svg"
        self.geojson, self.summary_file = folder / "cut.geojson", folder / "summary.json"

    def arguments(self):
        """The test program's arguments that write this case's files."""
        return [*self.options, "--dxf", str(self.dxf), "--svg", str(self.svg),
                "--geojson", str(self.geojson), "--summary", str(self.summary_file),
                str(self.fixture)]

    def load(self):
        self.summary = json.loads(self.summary_file.read_text())
        self.unit = self.summary["unit"]

    def parts(self):
        """The shapes the outputs keep (all their numbers finite, their outline
        not a point), each as (shape, outline, holes): the outline unless it is
        an open chain (open mode 1), the holes that are neither points nor
        open chains. The DXF holds the holes and then the outline."""
        for s in self.summary["shapes"]:
            contours = [s["outline"], *s["holes"]]
            if not all(c["finite"] for c in contours) or s["outline"]["point"]:
                continue
            outline = None if s["outline"]["open"] else s["outline"]
            holes = [h for h in s["holes"] if not h["point"] and not h["open"]]
            if outline or holes:
                yield s, outline, holes

    def contours(self):
        """The contours of the DXF, in order."""
        for _, outline, holes in self.parts():
            yield from holes
            if outline:
                yield outline

    def areas_known(self):
        """EnclosedArea counts an arc edge turning clockwise all the way round
        as no turn: the areas of drawings that have one say nothing."""
        return not any(c["clockwiseWholeTurn"] for c in self.contours())

    def warned_any(self, output, code):
        return any(w["code"] == code for w in self.summary["warnings"].get(output, []))

    def warned(self, output, code):
        """(layer, part) of the output's warnings of this code."""
        found = set()
        for w in self.summary["warnings"].get(output, []):
            number = re.match(r"SHAPE # (\d+) of layer", w["message"])
            if w["code"] == code and number:
                found.add((w["layer"], int(number.group(1))))
        return found


def area(contour):
    """A contour's area from the summary (JSON has no infinity: null)."""
    return math.inf if contour["area"] is None else contour["area"]


def close(a, b, tolerance):
    return abs(a - b) <= tolerance or (math.isinf(a) and a == b)


def same_areas(expected, actual, tolerance):
    """Whether two lists of areas are equal as multisets, pairwise within the
    tolerance the function gives for each."""
    if len(expected) != len(actual):
        return False
    return all(close(e, a, tolerance(e)) for e, a in zip(sorted(expected), sorted(actual)))


def size(case):
    finite = [area(c) for c in case.contours() if math.isfinite(area(c))]
    return math.sqrt(max(finite, default=0.0))


def check_dxf_ezdxf(case, fail):
    doc = ezdxf.readfile(case.dxf)
    auditor = doc.audit()
    for problem in [*auditor.errors, *auditor.fixes]:
        fail(f"ezdxf audit: {problem.message}")
    if doc.dxfversion != "AC1015":
        fail(f"DXF version {doc.dxfversion}")
    if doc.header.get("$INSUNITS") != case.unit["code"]:
        fail(f"$INSUNITS {doc.header.get('$INSUNITS')}, the drawing's unit is {case.unit['code']}")
    entities = list(doc.modelspace())
    keep = "--keep-layers" in case.options
    expected = [dxf_layer(s["layer"], role, keep) for s, outline, holes in case.parts()
                for role in ["INNER"] * len(holes) + ["OUTER"] * bool(outline)]
    if "--open-chains" in case.options:
        expected += ["OPEN"] * case.summary["openChains"]
    layers = [e.dxf.layer for e in entities]
    if layers != expected:
        fail(f"layers in ENTITIES {layers[:12]}..., expected {expected[:12]}... (holes first)")
    for e in entities:
        if e.dxftype() not in ("LWPOLYLINE", "CIRCLE"):
            fail(f"a {e.dxftype()} in ENTITIES")
        elif e.dxftype() == "LWPOLYLINE" and not e.dxf.layer.endswith("OPEN"):
            check_winding(e, fail)
    check_extents(doc, entities, fail)


def dxf_layer(source, role, keep):
    """The layer a contour goes on, as ezdxf reads it back: the role, or the
    source layer's name with the role, in Windows-1252 (the file's code page),
    with '_' for what AutoCAD refuses in names and the code page lacks, in
    255 characters at most."""
    if not keep:
        return role

    def safe(c):
        try:
            c.encode("cp1252")
        except UnicodeEncodeError:
            return "_"
        return "_" if c in '<>/\\":;?*|=`' or ord(c) < 0x20 else c
    return "".join(safe(c) for c in source)[:255 - len(role) - 1] + "-" + role


def check_winding(polyline, fail):
    if not polyline.closed:
        fail(f"an open LWPOLYLINE on {polyline.dxf.layer}")
    points = [(v.x, v.y) for v in ezdxf_path.make_path(polyline).flattening(1e-3)]
    area = svg_paths.ring_area(points)
    extent = max(max(p) - min(p) for p in zip(*points))
    if abs(area) <= 1e-9 * extent * extent:
        return  # no area, no direction
    if (area > 0) != polyline.dxf.layer.endswith("OUTER"):
        fail(f"a {'counter-' if area > 0 else ''}clockwise contour on {polyline.dxf.layer}")


def check_extents(doc, entities, fail):
    """$EXTMIN and $EXTMAX against ezdxf's box, which it finds from curves
    flattened a little outside the arcs."""
    if not entities:
        return
    box = ezdxf_bbox.extents(entities)
    low, high = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
    reach = max(box.size.x, box.size.y, abs(box.extmin.x), abs(box.extmax.y), 1e-300)
    for ours, theirs in ((low[0], box.extmin.x), (low[1], box.extmin.y),
                         (high[0], box.extmax.x), (high[1], box.extmax.y)):
        if not close(ours, theirs, 1e-3 * reach):
            fail(f"$EXTMIN {low} $EXTMAX {high}, ezdxf finds {box.extmin} {box.extmax}")
            return


def gdal_tolerance(area, reach):
    return GDAL_AREA * max(abs(area), reach * reach)


def check_dxf_gdal(case, fail):
    source = ogr.Open(str(case.dxf))  # kept: its layers die with it
    features = list(source.GetLayer(0))
    expected = [area(c) for c in case.contours()]
    if "--open-chains" in case.options:
        features = [f for f in features if f.GetField("Layer") != "OPEN"]
    if len(features) != len(expected):
        fail(f"GDAL reads {len(features)} contours, {len(expected)} were written")
        return
    areas = []
    for f in features:
        geometry = f.GetGeometryRef()
        points = [geometry.GetPoint_2D(k) for k in range(geometry.GetPointCount())]
        areas.append(abs(svg_paths.ring_area(points)))
    expected, areas = gdal_comparable(case, expected, areas)
    reach = size(case)
    if case.areas_known() and not same_areas(expected, areas,
                                             lambda a: gdal_tolerance(a, reach)):
        fail(f"GDAL's areas {sorted(areas)[:6]}... differ from {sorted(expected)[:6]}...")


def gdal_comparable(case, expected, areas):
    """The areas of the contours in file order without those with an arc of
    more than half a turn: GDAL draws the bulge of such an arc (over 1) the
    short way round, where ezdxf, the exact figure and ours agree."""
    keep = [not c["longArc"] for c in case.contours()]
    return ([a for a, k in zip(expected, keep) if k], [a for a, k in zip(areas, keep) if k])


def curve_tolerance(case):
    millimetres = case.unit["millimetres"]
    return 0.01 / millimetres if millimetres > 0 else 0.01


def check_geojson(case, fail):
    document = json.loads(case.geojson.read_text())
    if document.get("type") != "FeatureCollection" or document.get("units") != case.unit["name"]:
        fail(f"not a FeatureCollection in {case.unit['name']}: {str(document)[:80]}")
    expected = {(s["layer"], s["part"]): (outline, holes)
                for s, outline, holes in case.parts() if outline}
    found = set()
    for feature in document["features"]:
        key = (feature["properties"]["layer"], feature["properties"]["part"])
        found.add(key)
        if key not in expected:
            fail(f"a Feature for {key}, which is no part")
            continue
        check_polygon(case, feature, *expected[key], fail)
    # Parts left out: those that enclose no area, and those the literal reader
    # gave a hole that crosses the outline (no polygon has such a hole).
    degenerate = case.warned("geojson", "part-degenerate")
    crossed = case.warned("geojson", "hole-outside")
    for key in expected.keys() - found:
        flat = area(expected[key][0]) <= 1e-9 * size(case) ** 2 or not case.areas_known()
        if not ((key in degenerate and flat) or key in crossed):
            fail(f"part {key} is missing from the GeoJSON")
    source = ogr.Open(str(case.geojson))  # kept: its layers die with it
    if source.GetLayer(0).GetFeatureCount() != len(document["features"]):
        fail("GDAL reads another number of Features from the GeoJSON")


def check_polygon(case, feature, outline, holes, fail):
    polygon = shapely_shape(feature["geometry"])
    key = (feature["properties"]["layer"], feature["properties"]["part"])
    name = f"part {key}"
    # A contour crossing or touching itself is written, with a warning.
    warned = key in case.warned("geojson", "part-self-touching")
    if polygon.is_valid == warned:
        fail(f"{name}: shapely finds the polygon {'' if warned else 'in'}valid, "
             f"{'' if warned else 'not '}warned of")
    if not polygon.is_valid:
        return
    if not polygon.exterior.is_ccw or any(ring.is_ccw for ring in polygon.interiors):
        fail(f"{name}: exterior not counter-clockwise or a hole not clockwise")
    kept = [h for h in holes if area(h) > 0]
    if len(polygon.interiors) != len(kept):
        fail(f"{name}: {len(polygon.interiors)} holes, {len(kept)} expected")
    # A chord no farther than the tolerance from its arc loses less than
    # tolerance x chord of area.
    bound = curve_tolerance(case) * polygon.length + 1e-9 * size(case) ** 2
    material = area(outline) - sum(area(h) for h in kept)
    if case.areas_known() and not close(polygon.area, material, bound):
        fail(f"{name}: area {polygon.area}, the measures say {material} (within {bound})")


def svg_scale(case):
    """Drawing units to the SVG's unit: the drawing's own when it is mm or in
    (or unknown: taken as mm), else millimetres."""
    unit = case.unit
    return 1.0 if unit["name"] in ("mm", "in") or unit["millimetres"] <= 0 else unit["millimetres"]


def check_svg(case, fail):
    root = ElementTree.parse(case.svg).getroot()
    width, height = root.get("width"), root.get("height")
    unit = "in" if case.unit["name"] == "in" else "mm"
    box = [float(v) for v in root.get("viewBox").split()]
    if not (width.endswith(unit) and height.endswith(unit)):
        fail(f"SVG size {width} x {height}, expected in {unit}")
    if float(width[:-2]) != box[2] or float(height[:-2]) != box[3]:
        fail(f"SVG size {width} x {height} does not match its viewBox {box}")
    if case.unit["millimetres"] <= 0 and not case.warned_any("svg", "unit-assumed"):
        fail("the SVG assumes millimetres without a warning")
    check_svg_paths(case, root, box, fail)
    render(case, root, box, unit, fail)


def check_svg_paths(case, root, box, fail):
    flip = root.find(f"{SVG}g")
    if flip.get("id") != "cut" or flip.get("transform") != "scale(1,-1)":
        fail("the contours are not under the group that turns y up")
    groups = {g.get("id"): g for g in flip.findall(f"{SVG}g")}
    scale = svg_scale(case) ** 2
    expected = {"outer": [area(o) * scale for _, o, _ in case.parts() if o],
                "inner": [area(h) * scale for _, _, holes in case.parts() for h in holes]}
    reach = max(box[2], box[3], 1e-300)
    for group, areas in expected.items():
        found = []
        for path in groups[group].findall(f"{SVG}path"):
            found += [abs(a) for a in svg_paths.subpath_areas(path.get("d"))]
            for points, closed in svg_paths.subpaths(path.get("d")):
                outside = [p for p in points if not inside(p, box, 1e-9 * reach)]
                if outside:
                    fail(f"{group} path point {outside[0]} (y up) outside the viewBox {box}")
        if case.areas_known() and not same_areas(areas, found,
                                                 lambda a: 1e-6 * abs(a) + 1e-9 * reach * reach):
            fail(f"{group} path areas {sorted(found)[:6]}... differ from {sorted(areas)[:6]}...")


def inside(point, box, tolerance):
    x, y = point[0], -point[1]  # under scale(1,-1)
    return (box[0] - tolerance <= x <= box[0] + box[2] + tolerance
            and box[1] - tolerance <= y <= box[1] + box[3] + tolerance)


RENDERED, RENDERED_LOCK = {}, threading.Lock()


def render(case, root, box, unit, fail):
    """What rsvg-convert makes of the SVG, once for each content (both
    geometry modes mostly write the same file)."""
    key = hashlib.sha256(case.svg.read_bytes()).digest()
    with RENDERED_LOCK:
        known = RENDERED.get(key)
    if known is None:
        known = []
        render_pictures(case, root, box, unit, known.append)
        with RENDERED_LOCK:
            RENDERED[key] = known
    for message in known:
        fail(message)


def render_pictures(case, root, box, unit, fail):
    """rsvg-convert's pictures: the whole drawing has as many pixels as its
    size at the resolution asked for; a window of it at 96 dpi around a point
    of a contour is not empty. Sizes no screen could show are left out."""
    inches = [v / 25.4 if unit == "mm" else v for v in box[2:]]
    if not (1e-3 < min(inches) and max(inches) < 1e5):
        return
    dpi = 200 / max(inches)
    columns, rows, _ = rsvg(case, ["-d", str(dpi), "-p", str(dpi)], fail)
    for pixels, stated in ((columns, inches[0] * dpi), (rows, inches[1] * dpi)):
        if columns and abs(pixels - stated) > 1 + 1e-9 * stated and not (stated < 1 and pixels == 1):
            fail(f"rsvg-convert made {columns} x {rows} pixels, the size says "
                 f"{inches[0] * dpi:.1f} x {inches[1] * dpi:.1f}")
            return
    path = root.find(f".//{SVG}path")
    if path is None or max(inches) * 96 > 30000:
        return
    x, y = svg_paths.subpaths(path.get("d"))[0][0][0]
    per_unit = 96 / (25.4 if unit == "mm" else 1)
    left, top = (x - box[0]) * per_unit - 128, (-y - box[1]) * per_unit - 128
    window = ["-d", "96", "-p", "96", "--page-width", "256px", "--page-height", "256px",
              f"--left={-left}px", f"--top={-top}px"]
    if not rsvg(case, window, fail)[2]:
        fail(f"rsvg-convert drew nothing around ({x}, {y})")


def rsvg(case, options, fail):
    """Width, height and whether anything is painted, of a picture of the SVG."""
    png = case.folder / "cut.png"
    done = subprocess.run(["rsvg-convert", *options, "-o", png, case.svg],
                          capture_output=True, check=False)
    if done.returncode != 0:
        fail(f"rsvg-convert {' '.join(options)}: {done.stderr.decode().strip()}")
        return 0, 0, False
    return png_pixels(png.read_bytes())


def png_pixels(data):
    """Width, height and whether any pixel is painted, of an 8-bit RGBA PNG
    (each row's filter byte left out: a row of zeros filters to zeros)."""
    width, height = int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")
    chunks, at = b"", 8
    while at < len(data):
        length = int.from_bytes(data[at:at + 4], "big")
        if data[at + 4:at + 8] == b"IDAT":
            chunks += data[at + 8:at + 8 + length]
        at += 12 + length
    raw = zlib.decompress(chunks)
    stride = 1 + 4 * width
    painted = any(any(raw[row * stride + 1:(row + 1) * stride]) for row in range(height))
    return width, height, painted


def check_commands(case, fail):
    """The GDAL commands themselves, on the files of a few drawings."""
    listing = subprocess.run(["ogrinfo", "-so", "-al", case.dxf], capture_output=True,
                             text=True, check=False).stdout
    count = len(list(case.contours()))
    if f"Feature Count: {count}" not in listing:
        fail(f"ogrinfo does not list {count} contours: {listing[-200:]}")
    converted = case.folder / "gdal.geojson"
    subprocess.run(["ogr2ogr", "--config", "OGR_ARC_STEPSIZE", str(ARC_STEP_DEGREES),
                    "-f", "GeoJSON", converted, case.dxf], check=True, capture_output=True)
    areas = [abs(svg_paths.ring_area(f["geometry"]["coordinates"]))
             for f in json.loads(converted.read_text())["features"]]
    expected, areas = gdal_comparable(case, [area(c) for c in case.contours()], areas)
    reach = size(case)
    if not same_areas(expected, areas, lambda a: gdal_tolerance(a, reach)):
        fail(f"ogr2ogr's areas {sorted(areas)[:6]} differ from {sorted(expected)[:6]}")
    listing = subprocess.run(["ogrinfo", "-so", "-al", case.geojson], capture_output=True,
                             text=True, check=False).stdout
    features = len(json.loads(case.geojson.read_text())["features"])
    if f"Feature Count: {features}" not in listing:
        fail(f"ogrinfo does not read the {features} Features of the GeoJSON")


def check_open_chains(case, fail):
    """Open mode 1 with open chains asked for: the chains on OPEN, open."""
    doc = ezdxf.readfile(case.dxf)
    open_ones = [e for e in doc.modelspace() if e.dxf.layer == "OPEN"]
    if len(open_ones) != case.summary["openChains"] or any(e.closed for e in open_ones):
        fail(f"{len(open_ones)} open polylines on OPEN, {case.summary['openChains']} chains")
    root = ElementTree.parse(case.svg).getroot()
    paths = root.findall(f".//{SVG}g[@id='open']/{SVG}path")
    if len(paths) != case.summary["openChains"] or any("Z" in p.get("d") for p in paths):
        fail(f"{len(paths)} open paths in the SVG's group 'open'")


def distance(fixture):
    """The real drawings are read at a linking distance their size suits: the
    default of 1 joins ends farther apart than their arcs are long (they are
    a few units wide), which leaves arcs whose ends are off their circle, and
    no DXF bulge, SVG arc or measure holds such an arc as the reader has it."""
    return ["--distance", "1e-6"] if "real" in fixture.parts else []


def write_all(tool, cases, folder):
    """Every case's files from one run of the test program; the exit status
    of each case, in order, and what the program said."""
    batch = folder / "batch.txt"
    batch.write_text("".join("\t".join(c.arguments()) + "\n" for c in cases))
    done = subprocess.run([tool, "--batch", batch], capture_output=True, check=False)
    statuses = [int(line) for line in done.stdout.decode().split()]
    return statuses + [-1] * (len(cases) - len(statuses)), done.stderr.decode()


def check_case(case, status, extra_checks, messages):
    failures = []

    def fail(message):
        failures.append(f"{case.name}: {message}"[:400])

    if status != 0:
        fail(f"exit status {status}: {messages[-2000:]}")
        return failures
    try:
        case.load()
    except (OSError, json.JSONDecodeError) as error:
        fail(f"no summary: {error}")
        return failures
    for check in [check_dxf_ezdxf, check_dxf_gdal, check_geojson, check_svg, *extra_checks]:
        try:
            check(case, fail)
        except Exception as error:  # a client that refuses the file is a failure too
            fail(f"{check.__name__}: {type(error).__name__}: {error}")
    return failures


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    tool, data = sys.argv[1], Path(sys.argv[2])
    fixtures = sorted(data.rglob("*.dxf"))
    # The literal rules close these plates' short corner arcs on themselves as
    # circles that cross the plate: outlines no cut file can hold.
    crossed = {"short_corner_arcs.dxf", "tiny_fillet_arc.dxf"}
    jobs = [(f, mode + distance(f), []) for f in fixtures for mode in (["--literal"], ["--accurate"])
            if not (mode == ["--literal"] and f.name in crossed)]
    commands = {"square_with_circle_hole.dxf", "arc_cut_twice.dxf", "units_mm.dxf"}
    jobs += [(f, [], [check_commands]) for f in fixtures if f.name in commands]
    jobs.append((data / "open_chain_and_square.dxf", ["--open-mode", "1", "--open-chains"],
                 [check_open_chains]))
    jobs.append((data / "diagnostics" / "units_mm.dxf", ["--output-units", "in"], []))
    for named in ("cp1252_layer.dxf", "squares_two_layers.dxf", "layer_name_1023.dxf"):
        jobs.append((data / named, ["--keep-layers"], []))
    with tempfile.TemporaryDirectory() as temporary:
        folder = Path(temporary)
        cases = []
        for k, (fixture, options, _) in enumerate(jobs):
            (folder / str(k)).mkdir()
            cases.append(Case(fixture, folder / str(k), options))
        statuses, messages = write_all(tool, cases, folder)
        with ThreadPoolExecutor(max_workers=2) as pool:
            results = list(pool.map(lambda k: check_case(cases[k], statuses[k], jobs[k][2],
                                                         messages), range(len(jobs))))
    failures = [f for result in results for f in result]
    for failure in failures:
        print(failure)
    print(f"{len(jobs)} drawings and settings, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
