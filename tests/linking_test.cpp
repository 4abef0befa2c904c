// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collector_fixture.h"

#include "model/geometry.h"
#include "quillform/status.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <utility>

using namespace quillform::detail;

namespace {
struct Linked {
    std::unique_ptr<Test_CreationClass> collector;
    TLista contours;
    int32_t status = 0;

    Linked(const std::string& file, double distance, int32_t mode = quillform::kDropOpenContours,
           bool mix = false)
        : collector(LoadFixture(file)) {
        EXPECT_TRUE(collector->LinkContours(&contours, &status, distance, mode, mix));
    }
    ~Linked() { FreeContours(&contours); }

    const TDXFPolygon& Contour(int i) const { return ItemAt<TDXFPolygon>(contours, i); }
    std::vector<std::pair<double, double>> Points(int i) const {
        std::vector<std::pair<double, double>> points;
        for (const dxf_info& v : VerticesOf(Contour(i)))
            points.emplace_back(v.x, v.y);
        return points;
    }
};

using Points = std::vector<std::pair<double, double>>;

TEST(Linking, ShuffledSquareClosesWithoutDuplicatePoint) {
    Linked l("square_shuffled.dxf", 0);
    ASSERT_EQ(l.contours.Count, 1);
    EXPECT_EQ(l.Points(0), (Points{{10, 10}, {0, 10}, {0, 0}, {10, 0}}));
    EXPECT_EQ(l.collector->Segments.Count, 0);
    EXPECT_EQ(l.status, 0);
}

TEST(Linking, GapEqualToTheDistanceLinks) {
    Linked exact("gap_exact.dxf", 0.5);
    ASSERT_EQ(exact.contours.Count, 1);
    EXPECT_EQ(exact.Points(0), (Points{{0, 1}, {0, 0}, {1, 0}, {1.5, 1}}));
    Linked under("gap_exact.dxf", 0.4999);
    EXPECT_EQ(under.contours.Count, 0);
}

TEST(Linking, DistanceZeroLinksOnlyEqualEnds) {
    Linked l("square_shuffled.dxf", 0);
    EXPECT_EQ(l.contours.Count, 1);
    Linked gap("gap_exact.dxf", 0);
    EXPECT_EQ(gap.contours.Count, 0);
}

TEST(Linking, OpenChainModes) {
    Linked drop("open_chain_and_square.dxf", 0, quillform::kDropOpenContours);
    ASSERT_EQ(drop.contours.Count, 1);
    EXPECT_EQ(drop.Points(0).size(), 4u);
    EXPECT_EQ(drop.status, 0);

    Linked keep("open_chain_and_square.dxf", 0, quillform::kKeepOpenContours);
    ASSERT_EQ(keep.contours.Count, 2);
    EXPECT_EQ(keep.Points(0), (Points{{100, 0}, {110, 0}, {110, 10}}));
    EXPECT_EQ(keep.status, 0);

    Linked stop("open_chain_and_square.dxf", 0, quillform::kStopOnOpenContour);
    ASSERT_EQ(stop.contours.Count, 1);
    EXPECT_EQ(stop.Points(0).size(), 3u);
    EXPECT_EQ(stop.status, stOpenContour);
    EXPECT_EQ(stop.collector->Segments.Count, 4); // the square is never linked
}

TEST(Linking, MixLayers) {
    Linked apart("two_layers_touching.dxf", 0, quillform::kDropOpenContours, false);
    EXPECT_EQ(apart.contours.Count, 0);
    Linked mixed("two_layers_touching.dxf", 0, quillform::kDropOpenContours, true);
    ASSERT_EQ(mixed.contours.Count, 1);
    EXPECT_STREQ(mixed.Contour(0).Layer.get(), "A");
    EXPECT_EQ(mixed.Points(0), (Points{{10, 0}, {0, 0}}));
}

TEST(Linking, FullCircleArcIsOneVertexContour) {
    Linked l("full_circle_arc.dxf", 0);
    ASSERT_EQ(l.contours.Count, 1);
    const std::vector<dxf_info> v = VerticesOf(l.Contour(0));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].is_arc, 1);
    EXPECT_EQ(v[0].sweep, 360);
    EXPECT_EQ(v[0].center_x, 5);
}

TEST(Linking, SegmentShorterThanTheDistanceClosesOnItself) {
    Linked l("short_segment.dxf", 1);
    ASSERT_EQ(l.contours.Count, 1);
    EXPECT_EQ(l.Points(0), (Points{{0, 0}}));
}

TEST(Linking, ClosedPolylineComesFirstAndNeverJoins) {
    Linked l("closed_polyline_touching.dxf", 0);
    ASSERT_EQ(l.contours.Count, 2);
    EXPECT_EQ(l.Points(0), (Points{{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
    EXPECT_EQ(l.Points(1), (Points{{20, 10}, {10, 10}}));
}

TEST(Linking, ClockwiseArcJoinedInReverseBecomesCounterClockwise) {
    Linked l("reversed_cw_arc.dxf", 0, quillform::kKeepOpenContours);
    ASSERT_EQ(l.contours.Count, 1);
    const std::vector<dxf_info> v = VerticesOf(l.Contour(0));
    ASSERT_EQ(v.size(), 4u);
    // (2, 0) starts the arc walked back from its end to its start.
    EXPECT_EQ(v[1].is_arc, 1);
    EXPECT_EQ(v[1].clockwise, 0);
    EXPECT_NEAR(v[1].start_angle, 0, 1e-9);
    EXPECT_NEAR(v[1].end_angle, 180, 1e-9);
    EXPECT_NEAR(v[1].center_x, 1, 1e-9);
    // The counter-clockwise arc from the bulge of +1, reversed, is clockwise.
    EXPECT_EQ(v[2].is_arc, 1);
    EXPECT_EQ(v[2].clockwise, 1);
    EXPECT_EQ(v[3].is_arc, 0);
}

TEST(Linking, FirstOfThreeEntitiesAtOnePointWins) {
    Linked l("three_meet.dxf", 0);
    ASSERT_EQ(l.contours.Count, 1); // the spur is an open chain, dropped
    EXPECT_EQ(l.Points(0), (Points{{10, 10}, {0, 0}, {10, 0}}));
}

TEST(Linking, PolylinesWithoutVertices) {
    Linked l("vertexless_polylines.dxf", 0);
    ASSERT_EQ(l.contours.Count, 2);
    EXPECT_EQ(l.Contour(0).Count, 0); // the closed one, as an empty contour
    EXPECT_EQ(l.Points(1), (Points{{1, 0}, {0, 0}}));
    EXPECT_EQ(l.collector->Polylines.Count, 0);
}

TEST(Linking, NaNEndsNeverLinkAndDoNotHang) {
    Test_CreationClass c;
    const double nan = std::nan("");
    const double inf = INFINITY;
    // Only the non-finite ends are within reach of each other.
    for (auto ends : {std::array<double, 4>{nan, 0, 0, 0}, std::array<double, 4>{nan, 0, 10, 0},
                      std::array<double, 4>{inf, 0, 20, 0}, std::array<double, 4>{inf, 0, 30, 0},
                      std::array<double, 4>{inf, 5, inf, 5}}) {
        auto* s = new TDXFSegment();
        s->X1 = ends[0];
        s->Y1 = ends[1];
        s->X2 = ends[2];
        s->Y2 = ends[3];
        c.Segments.Add(s);
    }
    TLista contours;
    int32_t status = 0;
    c.LinkContours(&contours, &status, 1, quillform::kKeepOpenContours, false);
    EXPECT_EQ(contours.Count, 5); // each stays an open chain of its own
    for (const TListaNode* n = contours.Head; n; n = n->Next)
        EXPECT_EQ(static_cast<TDXFPolygon*>(n->Item)->Count, 2);
    FreeContours(&contours);
}

// Closed outlines cut into segments and arcs, shuffled and partly reversed,
// must come back as the same outlines with the same vertex counts, and every
// arc edge must still run over the same part of its circle.
struct PieceSet {
    std::vector<int> sizes;
    std::vector<std::pair<double, double>> arcMiddles;
};

TDXFArc* ArcPiece(double x0, double y0, double x1, double y1, double bend, bool clockwise,
                  PieceSet& set) {
    auto* arc = new TDXFArc();
    const double mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    arc->CenterX = mx - (y1 - y0) * bend; // on the chord's perpendicular bisector
    arc->CenterY = my + (x1 - x0) * bend;
    arc->Radius = std::hypot(x0 - arc->CenterX, y0 - arc->CenterY);
    arc->StartX = x0;
    arc->StartY = y0;
    arc->EndX = x1;
    arc->EndY = y1;
    arc->Clockwise = clockwise;
    arc->UpdateAngles(1e-9);
    const double middle =
        (arc->StartAngle + (clockwise ? -arc->Sweep : arc->Sweep) / 2) * M_PI / 180;
    set.arcMiddles.emplace_back(arc->CenterX + arc->Radius * std::cos(middle),
                                arc->CenterY + arc->Radius * std::sin(middle));
    return arc;
}

void ExpectArcEdgesKeepTheirMiddles(const TDXFPolygon& contour, const PieceSet& set) {
    for (const TListaNode* n = contour.Head; n; n = n->Next) {
        const dxf_info& v = *static_cast<const dxf_info*>(n->Item);
        if (!v.is_arc)
            continue;
        const dxf_info& w = *contour.NextItem(n);
        const TPoint2D centre(v.center_x, v.center_y);
        EXPECT_NEAR(AngleOfPoint(TPoint2D(v.x, v.y), centre, v.radius, 1e-9), v.start_angle, 1e-6);
        EXPECT_NEAR(AngleOfPoint(TPoint2D(w.x, w.y), centre, v.radius, 1e-9), v.end_angle, 1e-6);
        const double middle = (v.start_angle + (v.clockwise ? -v.sweep : v.sweep) / 2) * M_PI / 180;
        const double mx = v.center_x + v.radius * std::cos(middle);
        const double my = v.center_y + v.radius * std::sin(middle);
        const bool known = std::any_of(set.arcMiddles.begin(), set.arcMiddles.end(),
                                       [&](const std::pair<double, double>& m) {
                                           return std::hypot(m.first - mx, m.second - my) < 1e-6;
                                       });
        EXPECT_TRUE(known) << "arc edge from (" << v.x << ", " << v.y << ") runs the wrong way";
    }
}

// Links what the collector holds and checks that exactly the outlines of the
// set come out, their sizes and arc edges intact.
void ExpectRelinked(Test_CreationClass& c, PieceSet& set, int outlines, int round) {
    TLista contours;
    int32_t status = 0;
    c.LinkContours(&contours, &status, 1e-9, quillform::kDropOpenContours, false);
    EXPECT_EQ(contours.Count, outlines) << "round " << round;
    std::vector<int> counts;
    for (const TListaNode* n = contours.Head; n; n = n->Next) {
        counts.push_back(static_cast<TDXFPolygon*>(n->Item)->Count);
        ExpectArcEdgesKeepTheirMiddles(*static_cast<TDXFPolygon*>(n->Item), set);
    }
    std::sort(counts.begin(), counts.end());
    std::sort(set.sizes.begin(), set.sizes.end());
    EXPECT_EQ(counts, set.sizes) << "round " << round;
    FreeContours(&contours);
}

TEST(LinkingProperty, ShuffledReversedPiecesRelinkIntoTheirOutlines) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        Test_CreationClass c;
        PieceSet set;
        std::vector<std::pair<void*, bool>> pieces; // (entity, is arc)
        const int outlines = 1 + round % 6;
        for (int o = 0; o < outlines; ++o) {
            const int n = 3 + static_cast<int>(random() % 9);
            set.sizes.push_back(n);
            for (int k = 0; k < n; ++k) {
                const double a0 = 2 * M_PI * k / n, a1 = 2 * M_PI * (k + 1) / n;
                const double cx = 100.0 * o, r0 = 10 + (k % 3), r1 = 10 + ((k + 1) % n % 3);
                double x0 = cx + r0 * std::cos(a0), y0 = r0 * std::sin(a0);
                double x1 = cx + r1 * std::cos(a1), y1 = r1 * std::sin(a1);
                if (random() % 2) { // walked the other way round
                    std::swap(x0, x1);
                    std::swap(y0, y1);
                }
                if (random() % 3 == 0) {
                    const double bend = (static_cast<int>(random() % 7) - 3) * 0.4 + 0.1;
                    pieces.emplace_back(ArcPiece(x0, y0, x1, y1, bend, random() % 2, set), true);
                    static_cast<TDXFArc*>(pieces.back().first)->Layer = quillform::CopyName("0");
                    continue;
                }
                auto* s = new TDXFSegment();
                s->X1 = x0;
                s->Y1 = y0;
                s->X2 = x1;
                s->Y2 = y1;
                s->Layer = quillform::CopyName("0");
                pieces.emplace_back(s, false);
            }
        }
        std::shuffle(pieces.begin(), pieces.end(), random);
        for (auto& [entity, isArc] : pieces)
            (isArc ? c.Arcs : c.Segments).Add(entity);
        ExpectRelinked(c, set, outlines, round);
    }
}
// The same outlines with runs of pieces given as open polylines whose vertices
// carry the arcs (as the accurate geometry rules hand them to linking), some
// written backwards: each of the four ways a polyline joins a contour must
// keep every arc over its own part of the circle.
struct ChainRun {
    std::vector<dxf_info> vertices; // the edge from vertex k to k + 1 described on vertex k
};

TDXFPolygon* PolylineOf(const ChainRun& run, bool backwards) {
    auto* polyline = new TDXFPolygon();
    polyline->Add(NewPlainItem<int32_t>()); // flags: open
    const int n = static_cast<int>(run.vertices.size());
    for (int j = 0; j < n; ++j) {
        auto* v = NewPlainItem<dxf_info>();
        const dxf_info& at = run.vertices[backwards ? n - 1 - j : j];
        v->x = at.x;
        v->y = at.y;
        if (backwards && j + 1 < n) { // the edge arriving at `at`, walked the other way
            const dxf_info& from = run.vertices[n - 2 - j];
            *v = from;
            v->x = at.x;
            v->y = at.y;
            v->clockwise = from.is_arc ? 1 - from.clockwise : 0;
            v->start_angle = from.end_angle;
            v->end_angle = from.start_angle;
        } else if (!backwards && j + 1 < n) {
            *v = at;
        }
        if (j + 1 == n)
            v->is_arc = 0;
        polyline->Add(v);
    }
    polyline->Layer = quillform::CopyName("0");
    return polyline;
}

dxf_info ArcVertex(const TDXFArc& arc) {
    dxf_info v;
    v.x = arc.StartX;
    v.y = arc.StartY;
    v.is_arc = 1;
    v.center_x = arc.CenterX;
    v.center_y = arc.CenterY;
    v.radius = arc.Radius;
    v.start_angle = arc.StartAngle;
    v.end_angle = arc.EndAngle;
    v.sweep = arc.Sweep;
    v.clockwise = arc.Clockwise;
    return v;
}

TEST(LinkingProperty, PolylinesCarryingArcsRelinkIntoTheirOutlines) {
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
        Test_CreationClass c;
        PieceSet set;
        std::vector<TDXFPolygon*> polylines;
        const int outlines = 1 + round % 4;
        for (int o = 0; o < outlines; ++o) {
            const int n = 4 + static_cast<int>(random() % 8);
            set.sizes.push_back(n);
            ChainRun run;
            for (int k = 0; k <= n; ++k) {
                const double a0 = 2 * M_PI * k / n, a1 = 2 * M_PI * (k + 1) / n;
                const double cx = 100.0 * o, r0 = 10 + (k % n % 3), r1 = 10 + ((k + 1) % n % 3);
                const double x0 = cx + r0 * std::cos(a0), y0 = r0 * std::sin(a0);
                const double x1 = cx + r1 * std::cos(a1), y1 = r1 * std::sin(a1);
                const bool cut = k == n || (k > 0 && random() % 3 == 0);
                if (cut) { // the run ends at this vertex
                    dxf_info end;
                    end.x = x0;
                    end.y = y0;
                    run.vertices.push_back(end);
                    polylines.push_back(PolylineOf(run, random() % 2));
                    run = ChainRun();
                    if (k == n)
                        break;
                }
                if (random() % 2) {
                    const double bend = (static_cast<int>(random() % 7) - 3) * 0.4 + 0.1;
                    const std::unique_ptr<TDXFArc> arc(
                        ArcPiece(x0, y0, x1, y1, bend, random() % 2, set));
                    run.vertices.push_back(ArcVertex(*arc));
                } else {
                    dxf_info v;
                    v.x = x0;
                    v.y = y0;
                    run.vertices.push_back(v);
                }
            }
        }
        std::shuffle(polylines.begin(), polylines.end(), random);
        for (TDXFPolygon* p : polylines)
            c.Polylines.Add(p);
        ExpectRelinked(c, set, outlines, round);
    }
}
} // namespace
