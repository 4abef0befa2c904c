#!/usr/bin/python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes curve_reference.txt: points of ellipses and splines as ezdxf evaluates them.

A second, independent evaluation for the curve tests. Run with Debian's python3-ezdxf:
    /usr/bin/python3 curve_reference.py

ezdxf's BSpline is sampled only inside the spline's domain [knot[p], knot[n]]: for splines
with unclamped (periodic) knots, ezdxf's path conversion starts at t = 0 and runs outside it,
drawing a closed periodic spline with open ends, which the spline mathematics does not.

Format, one record per line:
  spline NAME DEGREE / knots ... / points x y ... / weights ... / sample t x y dx dy / end
  fit NAME / fitpoints x y ... / tangents x y x y / points x y ... / knots ... / sample ... / end
  ellipse NAME cx cy mx my ratio start end / sample t x y / end
"""
import math
import os

from ezdxf.math import (BSpline, ConstructionEllipse, Vec3, closed_uniform_bspline,
                        fit_points_to_cad_cv)

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 24


def numbers(values):
    return " ".join(repr(float(v)) for v in values)


def flat(points):
    return numbers(c for p in points for c in (p[0], p[1]))


def domain(spline):
    knots = spline.knots()
    return knots[spline.degree], knots[spline.count]


def spline_samples(spline):
    lo, hi = domain(spline)
    lines = []
    for i in range(SAMPLES + 1):
        t = lo + (hi - lo) * (i + 0.37) / (SAMPLES + 1)
        point, d1 = spline.derivative(t, 1)
        lines.append("sample " + numbers((t, point.x, point.y, d1.x, d1.y)))
    return lines


def spline_record(name, spline):
    lines = [f"spline {name} {spline.degree}", "knots " + numbers(spline.knots()),
             "points " + flat(spline.control_points)]
    if spline.is_rational:
        lines.append("weights " + numbers(spline.weights()))
    return lines + spline_samples(spline) + ["end"]


def splines():
    w = math.sqrt(0.5)
    circle = [(1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1), (0, -1), (1, -1), (1, 0)]
    yield "degree2_open", BSpline([(0, 0), (4, 6), (9, 7), (12, 1), (16, 3), (20, 0)], order=3,
                                  knots=[0, 0, 0, 1, 2.5, 3, 5, 5, 5])
    yield "degree3_open", BSpline([(0, 0), (2, 5), (6, 8), (10, 2), (14, 9), (18, 4), (20, 0)],
                                  order=4, knots=[0, 0, 0, 0, 0.1, 0.45, 0.5, 1, 1, 1, 1])
    yield "rational_circle", BSpline([Vec3(x * 5, y * 5) for x, y in circle], order=3,
                                     knots=[0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 4],
                                     weights=[1, w, 1, w, 1, w, 1, w, 1])
    yield "rational_cubic", BSpline([(0, 0), (3, 7), (8, 9), (12, 1), (17, 6)], order=4,
                                    knots=[0, 0, 0, 0, 2, 3, 3, 3, 3],
                                    weights=[1, 3.5, 0.4, 2, 1])
    yield "degree5", BSpline([(0, 0), (1, 4), (4, 6), (7, 2), (9, 8), (12, 5), (15, 9), (18, 0)],
                             order=6)
    yield "periodic_wrapped", closed_uniform_bspline(
        [(0, 0), (10, -2), (14, 6), (9, 12), (2, 11), (-3, 5)], order=4)
    yield "kink", BSpline([(0, 0), (3, 4), (6, 5), (8, 2), (10, 6), (13, 7), (16, 3)], order=4,
                          knots=[0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 2])


def fit_record():
    fit = [(0, 0), (3, 4), (7, 3), (10, 8), (14, 2), (18, 5)]
    tangents = [Vec3(1, 2).normalize(), Vec3(2, -1).normalize()]
    spline = fit_points_to_cad_cv(fit, tangents=tangents)
    return (["fit fit_tangents", "fitpoints " + flat(fit), "tangents " + flat(tangents),
             "points " + flat(spline.control_points), "knots " + numbers(spline.knots())]
            + spline_samples(spline) + ["end"])


def ellipse_record(name, center, major, ratio, start, end):
    ellipse = ConstructionEllipse(center=center, major_axis=major, ratio=ratio,
                                  start_param=start, end_param=end)
    span = ellipse.param_span
    params = [start + span * (i + 0.37) / (SAMPLES + 1) for i in range(SAMPLES + 1)]
    lines = [f"ellipse {name} " + numbers((*center, *major, ratio, start, end))]
    for t, p in zip(params, ellipse.vertices(params)):
        lines.append("sample " + numbers((t, p.x, p.y)))
    return lines + ["end"]


def main():
    lines = ["# Written by curve_reference.py from ezdxf's evaluation; do not edit."]
    for name, spline in splines():
        lines += spline_record(name, spline)
    lines += fit_record()
    lines += ellipse_record("ellipse_full", (10, 5), (20, 0), 0.5, 0, 2 * math.pi)
    lines += ellipse_record("ellipse_rotated_arc", (-3, 2), (12, 9), 0.3, 5.5, 0.8)
    with open(os.path.join(HERE, "curve_reference.txt"), "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
