// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Evaluation checked against ezdxf's (tests/data/curve_reference.py writes the samples).
#include "expand/curves/ellipse_arc.h"
#include "expand/curves/nurbs.h"
#include "expand/curves/spline_fit.h"
#include "expand/curves/spline_interpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace quillform::detail;

namespace {

struct TReferenceSample {
    double t;
    TPoint2D point, derivative;
};

struct TReferenceCurve {
    std::string kind, name;
    std::vector<double> header; // numbers after the name
    TSplineCurve spline;
    std::vector<TPoint2D> fitPoints, tangents;
    std::vector<TReferenceSample> samples;
};

std::vector<double> Numbers(std::istringstream& line) {
    std::vector<double> values;
    for (double v; line >> v;)
        values.push_back(v);
    return values;
}

std::vector<TPoint2D> Points(const std::vector<double>& v) {
    std::vector<TPoint2D> points;
    for (size_t i = 0; i + 1 < v.size(); i += 2)
        points.emplace_back(v[i], v[i + 1]);
    return points;
}

void AddLine(TReferenceCurve& curve, const std::string& key, const std::vector<double>& v) {
    if (key == "knots")
        curve.spline.knots = v;
    else if (key == "points")
        curve.spline.controlPoints = Points(v);
    else if (key == "weights")
        curve.spline.weights = v;
    else if (key == "fitpoints")
        curve.fitPoints = Points(v);
    else if (key == "tangents")
        curve.tangents = Points(v);
    else if (key == "sample")
        curve.samples.push_back(
            {v.at(0), {v.at(1), v.at(2)}, v.size() > 4 ? TPoint2D(v[3], v[4]) : TPoint2D()});
}

std::vector<TReferenceCurve> ReadReference() {
    std::ifstream in(std::string(QUILLFORM_TEST_DATA) + "/curve_reference.txt");
    std::vector<TReferenceCurve> curves;
    for (std::string text; std::getline(in, text);) {
        std::istringstream line(text);
        std::string key;
        line >> key;
        if (key == "spline" || key == "fit" || key == "ellipse") {
            curves.push_back({key, "", {}, {}, {}, {}, {}});
            line >> curves.back().name;
            curves.back().header = Numbers(line);
            if (key == "spline")
                curves.back().spline.degree = static_cast<int>(curves.back().header.at(0));
        } else if (!curves.empty() && key != "end" && key != "#") {
            AddLine(curves.back(), key, Numbers(line));
        }
    }
    return curves;
}

const std::vector<TReferenceCurve>& Reference() {
    static const std::vector<TReferenceCurve> curves = ReadReference();
    return curves;
}

void ExpectNear(TPoint2D a, TPoint2D b, double within, const std::string& what) {
    EXPECT_NEAR(a.X, b.X, within) << what;
    EXPECT_NEAR(a.Y, b.Y, within) << what;
}

TEST(CurveReference, HoldsEveryKind) {
    int splines = 0, fits = 0, ellipses = 0;
    for (const TReferenceCurve& c : Reference()) {
        EXPECT_GE(c.samples.size(), 20u) << c.name;
        splines += c.kind == "spline", fits += c.kind == "fit", ellipses += c.kind == "ellipse";
    }
    EXPECT_GE(splines, 7);
    EXPECT_GE(fits, 1);
    EXPECT_GE(ellipses, 2);
}

TEST(CurveReference, SplinePointsAndDerivativesMatchEzdxf) {
    for (const TReferenceCurve& c : Reference()) {
        if (c.kind != "spline")
            continue;
        const std::optional<TNurbs> nurbs = PrepareNurbs(c.spline);
        ASSERT_TRUE(nurbs) << c.name;
        const TNurbsCurve curve(*nurbs);
        for (const TReferenceSample& s : c.samples) {
            const TCurveSample mine = curve.Evaluate(s.t, false);
            const std::string what = c.name + " at t=" + std::to_string(s.t);
            ExpectNear(mine.point, s.point, 1e-9, what);
            ExpectNear(mine.derivative, s.derivative,
                       1e-7 * std::hypot(s.derivative.X, s.derivative.Y), what + " (derivative)");
        }
    }
}

TEST(CurveReference, FittedChainsPassEzdxfSamples) {
    for (const TReferenceCurve& c : Reference()) {
        TFittedChain chain;
        if (c.kind == "ellipse") {
            const std::vector<double>& h = c.header;
            TEllipseArc e;
            e.center = {h.at(0), h.at(1)};
            e.majorAxis = {h.at(2), h.at(3)};
            e.ratio = h.at(4);
            e.startParam = h.at(5);
            e.endParam = h.at(6);
            for (const TReferenceSample& s : c.samples)
                ExpectNear(EllipsePoint(e, s.t), s.point, 1e-9, c.name);
            chain = FitEllipse(e, 0.01);
        } else {
            chain = FitSpline(c.spline, 0.01);
        }
        ASSERT_FALSE(chain.empty()) << c.name;
        for (const TReferenceSample& s : c.samples) {
            double nearest = HUGE_VAL;
            for (const TFittedEdge& edge : chain)
                nearest = std::min(nearest, DistanceToEdge(edge, s.point));
            EXPECT_LE(nearest, 0.01) << c.name << " at t=" << s.t;
        }
    }
}

TEST(CurveReference, FitPointsWithTangentsGiveEzdxfsControlPoints) {
    for (const TReferenceCurve& c : Reference()) {
        if (c.kind != "fit")
            continue;
        TSplineCurve fit;
        fit.fitPoints = c.fitPoints;
        fit.startTangent = c.tangents.at(0);
        fit.endTangent = c.tangents.at(1);
        const TSplineCurve mine = SplineFromFitPoints(fit);
        ASSERT_EQ(mine.controlPoints.size(), c.spline.controlPoints.size()) << c.name;
        ASSERT_EQ(mine.knots.size(), c.spline.knots.size()) << c.name;
        for (size_t i = 0; i < mine.knots.size(); ++i)
            EXPECT_NEAR(mine.knots[i], c.spline.knots[i], 1e-12) << c.name << " knot " << i;
        for (size_t i = 0; i < mine.controlPoints.size(); ++i)
            ExpectNear(mine.controlPoints[i], c.spline.controlPoints[i], 1e-9,
                       c.name + " control point " + std::to_string(i));
    }
}

} // namespace
