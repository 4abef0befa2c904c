// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "random_drawing.h"

#include "model/geometry.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace quillform::detail;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
using Emit = std::function<void(Test_CreationClass&)>;

struct Point {
    double x, y;
};

class Drawing {
public:
    explicit Drawing(uint32_t seed) : random_(seed) {}

    void Make(int parts) {
        for (int i = 0; i < 1 + Pick(3); ++i)
            table_.push_back(RandomLayer());
        for (int i = 0; i < parts; ++i)
            Part(RandomLayer(), Corner(), 1 + Pick(8));
        if (Chance(0.2))
            Inserts();
    }

    void Feed(Test_CreationClass& c) {
        for (const std::string& name : table_)
            c.addLayer(DL_LayerData(name, 0));
        for (const Emit& emit : blocks_)
            emit(c);
        std::shuffle(entities_.begin(), entities_.end(), random_);
        for (const Emit& emit : entities_)
            emit(c);
        c.FlushLastPolyline();
        c.ExplodeBulgedPolylines(1e-5);
        for (int i = Pick(3); i > 0; --i)
            ArcEdgedPolyline(c);
    }

private:
    std::mt19937 random_;
    std::vector<std::string> table_;
    std::vector<Emit> blocks_, entities_;
    std::vector<Emit>* target_ = &entities_;

    int Pick(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    std::string RandomLayer() {
        static const char* const names[] = {"0", "A", "B", "Layer C"};
        return names[Pick(4)];
    }
    // Corners on a half-unit grid, so that outlines nest, touch and coincide.
    Point Corner() { return Point{0.5 * Pick(40), 0.5 * Pick(40)}; }

    // Now and then a coordinate no drawing should have.
    double Hostile(double v) {
        if (!Chance(0.01))
            return v;
        const double values[] = {kNaN, kInf, -kInf, 1e308, -1e308, 1e15 + v};
        return values[Pick(6)];
    }
    // Gaps just inside or just outside the linking distances 0.5 and 1.
    double Gap() {
        if (!Chance(0.15))
            return 0;
        const double gaps[] = {0.5, 1, 0.5 - 1e-9, 0.5 + 1e-9, 1 - 1e-9, 1 + 1e-9, 1e-7};
        return gaps[Pick(7)];
    }

    void Add(const std::string& layer, Emit emit) {
        target_->push_back([layer, emit](Test_CreationClass& c) {
            c.setAttributes(DL_Attributes(layer, 256, 0, "BYLAYER", 1));
            emit(c);
        });
    }
    void Line(const std::string& layer, Point a, Point b) {
        if (Chance(0.5))
            std::swap(a, b);
        const double x1 = Hostile(a.x), y1 = Hostile(a.y), x2 = Hostile(b.x) + Gap(), y2 = b.y;
        Add(layer, [=](Test_CreationClass& c) { c.addLine(DL_LineData(x1, y1, 0, x2, y2, 0)); });
    }
    void Arc(const std::string& layer, Point centre, double r, double from, double to) {
        const double radius = Hostile(r);
        Add(layer, [=](Test_CreationClass& c) {
            c.addArc(DL_ArcData(centre.x, centre.y, 0, radius, from, to));
        });
    }
    // Where the collector puts an arc's end for an angle, so that lines meet it exactly.
    static Point OnArc(Point centre, double r, double angle) {
        const double a = angle * kPi / 180;
        return Point{centre.x + r * std::cos(a), centre.y + r * std::sin(a)};
    }
    void Polyline(const std::string& layer, const std::vector<Point>& points,
                  const std::vector<double>& bulges, int flags) {
        std::vector<Point> p = points;
        std::vector<double> b = bulges;
        Add(layer, [=](Test_CreationClass& c) {
            c.addPolyline(DL_PolylineData(static_cast<int>(p.size()), 0, 0, flags));
            for (size_t k = 0; k < p.size(); ++k)
                c.addVertex(DL_VertexData(p[k].x, p[k].y, 0, b[k]));
        });
    }
    double Bulge() {
        const double bulges[] = {0, 0, 0.3, -0.3, 1, -1, 2.414213562373095, 1e-7, 0.05};
        return bulges[Pick(9)];
    }

    void Square(const std::string& layer, Point p, double s) {
        const Point q[4] = {p, {p.x + s, p.y}, {p.x + s, p.y + s}, {p.x, p.y + s}};
        for (int k = 0; k < 4; ++k)
            Line(layer, q[k], q[(k + 1) % 4]);
    }
    // A slot of two lines and two half circles, the lines meeting the arcs exactly.
    void Slot(const std::string& layer, Point p, double s) {
        const double r = 0.25 * (1 + Pick(4));
        const Point left{p.x + r, p.y + r}, right{p.x + r + s, p.y + r};
        Arc(layer, right, r, 270, 90);
        Arc(layer, left, r, 90, 270);
        Line(layer, OnArc(left, r, 270), OnArc(right, r, 270));
        Line(layer, OnArc(right, r, 90), OnArc(left, r, 90));
    }
    void BulgedPolyline(const std::string& layer, Point p, double s, bool closed) {
        std::vector<Point> points{p, {p.x + s, p.y}, {p.x + s, p.y + s}, {p.x, p.y + s}};
        points.resize(2 + Pick(3));
        std::vector<double> bulges;
        for (size_t k = 0; k < points.size(); ++k)
            bulges.push_back(Bulge());
        Polyline(layer, points, bulges, closed ? 1 : 0);
        if (!closed && Chance(0.5)) // closed by an arc through the first and last vertex
            Line(layer, points.back(), points.front());
    }
    void Hexagon(const std::string& layer, Point p, double s) {
        std::vector<Point> points;
        for (int k = 0; k < 6; ++k)
            points.push_back(OnArc(p, s, 60.0 * k));
        Polyline(layer, points, std::vector<double>(6, 0), 1);
    }
    void Circle(const std::string& layer, Point p, double s) {
        const double radii[] = {s / 2, s / 2, s / 4, 0, -s / 2, kNaN};
        const double r = Hostile(radii[Chance(0.9) ? Pick(3) : 3 + Pick(3)]);
        Add(layer, [=](Test_CreationClass& c) { c.addCircle(DL_CircleData(p.x, p.y, 0, r)); });
    }
    void Oddity(const std::string& layer, Point p, double s) {
        switch (Pick(4)) {
        case 0: // zero length
            Line(layer, p, p);
            break;
        case 1: // no vertices
            Polyline(layer, {}, {}, Pick(2));
            break;
        case 2: // a full circle as an arc
            Arc(layer, p, s / 2, 45.0 * Pick(8), 45.0 * Pick(8));
            break;
        default: // a loose spur
            Line(layer, p, Point{p.x + s, p.y + s / 2});
            break;
        }
    }

    void Part(const std::string& layer, Point p, double s) {
        switch (Pick(9)) {
        case 0:
        case 1:
            Square(layer, p, s);
            break;
        case 2:
            Slot(layer, p, s);
            break;
        case 3:
            BulgedPolyline(layer, p, s, Chance(0.6));
            break;
        case 4:
            Hexagon(layer, p, s / 2);
            break;
        case 5:
            Circle(layer, p, s);
            break;
        case 6: // nested: an outline with something inside
            Square(layer, p, s + 2);
            Part(Chance(0.8) ? layer : RandomLayer(), Point{p.x + 1, p.y + 1}, s);
            break;
        case 7: // the same outline twice
            Square(layer, p, s);
            Square(layer, p, s);
            break;
        default:
            Oddity(layer, p, s);
            break;
        }
    }

    void Inserts() {
        target_ = &blocks_;
        blocks_.push_back(
            [](Test_CreationClass& c) { c.addBlock(DL_BlockData("PART", 0, 0, 0, 0)); });
        Part("0", Point{0, 0}, 2 + Pick(4));
        blocks_.push_back([](Test_CreationClass& c) { c.endBlock(); });
        target_ = &entities_;
        const double angles[] = {0, 30, 90, 180, -45, 400};
        for (int i = 1 + Pick(3); i > 0; --i) {
            const Point at = Corner();
            const double angle = angles[Pick(6)];
            Add(RandomLayer(), [=](Test_CreationClass& c) {
                c.addInsert(DL_InsertData("PART", at.x, at.y, 0, 1, 1, 1, angle, 1, 1, 0, 0));
            });
        }
    }

    // A polyline whose vertices carry the arcs of their edges: points on a
    // circle, open or closed, in either direction, or one vertex whose edge
    // is the full circle.
    void ArcEdgedPolyline(Test_CreationClass& c) {
        const Point centre = Corner();
        const double r = 0.5 * (1 + Pick(6));
        const bool clockwise = Chance(0.5), closed = Chance(0.5);
        const int count = Chance(0.2) ? 1 : 2 + Pick(4);
        const double step = (clockwise ? -1 : 1) * (count == 1 ? 360.0 : 300.0 / count);
        const double start = 30.0 * Pick(12);
        auto* polyline = new TDXFPolygon();
        int32_t* flags = NewPlainItem<int32_t>();
        *flags = closed || count == 1 ? 1 : 0;
        polyline->Add(flags);
        for (int k = 0; k < count; ++k) {
            const Point p = OnArc(centre, r, start + step * k);
            auto* v = NewPlainItem<dxf_info>();
            v->x = p.x;
            v->y = p.y;
            if (k + 1 < count || closed || count == 1) {
                const bool closing = k + 1 == count;
                const Point q =
                    closing ? OnArc(centre, r, start) : OnArc(centre, r, start + step * (k + 1));
                v->is_arc = 1;
                v->center_x = centre.x;
                v->center_y = centre.y;
                v->radius = r;
                v->clockwise = clockwise;
                const TPoint2D c0(centre.x, centre.y);
                v->start_angle = AngleOfPoint(TPoint2D(p.x, p.y), c0, r, 1e-5);
                v->end_angle = AngleOfPoint(TPoint2D(q.x, q.y), c0, r, 1e-5);
                v->sweep = closing ? 360 - std::fabs(step) * (count - 1) : std::fabs(step);
            }
            polyline->Add(v);
        }
        const std::string layer = RandomLayer();
        if (!c.LayerNames.Contains(layer.c_str()))
            c.LayerNames.AddName(layer.c_str());
        polyline->Layer = quillform::CopyName(layer.c_str());
        c.Polylines.Add(polyline);
    }
};
} // namespace

void FeedRandomDrawing(uint32_t seed, int parts, Test_CreationClass& collector) {
    Drawing drawing(seed);
    drawing.Make(parts);
    drawing.Feed(collector);
}
