// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "sheet_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <vector>

namespace {
constexpr double kPi = 3.141592653589793;

struct P {
    double x, y;
};

// Entities as text, each one whole (a POLYLINE with its VERTEXes and SEQEND).
class Dxf {
public:
    std::vector<std::string> entities, blocks;
    std::string layer = "0";

    void Line(P a, P b) {
        Emit(Head("LINE", "AcDbLine") +
             Pairs({{10, a.x}, {20, a.y}, {30, 0}, {11, b.x}, {21, b.y}, {31, 0}}));
    }
    void Arc(P c, double r, double from, double to) {
        Emit(Head("ARC", "AcDbCircle") + Pairs({{10, c.x}, {20, c.y}, {30, 0}, {40, r}}) +
             Pair(100, "AcDbArc") + Pairs({{50, from}, {51, to}}));
    }
    void Circle(P c, double r) {
        Emit(Head("CIRCLE", "AcDbCircle") + Pairs({{10, c.x}, {20, c.y}, {30, 0}, {40, r}}));
    }
    void LwPolyline(const std::vector<P>& v, const std::vector<double>& bulges, bool closed) {
        std::string text = Head("LWPOLYLINE", "AcDbPolyline") + Pair(90, std::to_string(v.size())) +
                           Pair(70, closed ? "1" : "0");
        for (size_t k = 0; k < v.size(); ++k) {
            text += Pair(10, Num(v[k].x)) + Pair(20, Num(v[k].y));
            if (k < bulges.size() && bulges[k] != 0)
                text += Pair(42, Num(bulges[k]));
        }
        Emit(text);
    }
    void Polyline(const std::vector<P>& v, bool closed) {
        std::string text = Head("POLYLINE", "AcDb2dPolyline") + Pair(66, "1") + Pair(10, "0") +
                           Pair(20, "0") + Pair(30, "0") + Pair(70, closed ? "1" : "0");
        for (const P& p : v)
            text += Head("VERTEX", "AcDbVertex") + Pair(100, "AcDb2dVertex") + Pair(10, Num(p.x)) +
                    Pair(20, Num(p.y)) + Pair(30, "0");
        Emit(text + Head("SEQEND", nullptr));
    }
    void Insert(const std::string& block, P at, double angle) {
        Emit(Head("INSERT", "AcDbBlockReference") + Pair(2, block) + Pair(10, Num(at.x)) +
             Pair(20, Num(at.y)) + Pair(30, "0") + Pair(50, Num(angle)));
    }
    void BeginBlock(const std::string& name) {
        into_ = &blocks;
        blocks.push_back(Pair(0, "BLOCK") + Pair(8, "0") + Pair(2, name) + Pair(70, "0") +
                         Pair(10, "0") + Pair(20, "0") + Pair(30, "0") + Pair(3, name));
    }
    void EndBlock() {
        blocks.push_back(Pair(0, "ENDBLK") + Pair(8, "0"));
        into_ = &entities;
    }

    bool Write(const std::string& path, std::mt19937& random) {
        std::shuffle(entities.begin(), entities.end(), random);
        std::ofstream out(path, std::ios::binary);
        out << Pair(0, "SECTION") << Pair(2, "BLOCKS");
        for (const std::string& b : blocks)
            out << b;
        out << Pair(0, "ENDSEC") << Pair(0, "SECTION") << Pair(2, "ENTITIES");
        for (const std::string& e : entities)
            out << e;
        out << Pair(0, "ENDSEC") << Pair(0, "EOF");
        return static_cast<bool>(out);
    }

private:
    std::vector<std::string>* into_ = &entities;

    static std::string Num(double v) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.12g", v);
        return buffer;
    }
    static std::string Pair(int code, const std::string& value) {
        return std::to_string(code) + "\n" + value + "\n";
    }
    // As CAD programs write entities from R2000 on: handle, owner, subclass markers.
    std::string Head(const char* kind, const char* subclass) {
        char handle[16];
        std::snprintf(handle, sizeof handle, "%X", ++handle_);
        std::string text = Pair(0, kind) + Pair(5, handle) + Pair(330, "1F") +
                           Pair(100, "AcDbEntity") + Pair(8, layer);
        return subclass ? text + Pair(100, subclass) : text;
    }
    static std::string Pairs(std::initializer_list<std::pair<int, double>> pairs) {
        std::string text;
        for (const auto& [code, value] : pairs)
            text += Pair(code, Num(value));
        return text;
    }
    unsigned handle_ = 0x100;
    void Emit(const std::string& text) { into_->push_back(text); }
};

P At(P c, double r, double degrees) {
    return P{c.x + r * std::cos(degrees * kPi / 180), c.y + r * std::sin(degrees * kPi / 180)};
}

// Square of four loose lines, in random directions.
void Square(Dxf& d, std::mt19937& random, P p, double s) {
    const P q[4] = {p, {p.x + s, p.y}, {p.x + s, p.y + s}, {p.x, p.y + s}};
    for (int k = 0; k < 4; ++k) {
        if (random() % 2)
            d.Line(q[k], q[(k + 1) % 4]);
        else
            d.Line(q[(k + 1) % 4], q[k]);
    }
}

// The part outlines, 80 x 60 with the lower left corner at o.
void RoundedRectangle(Dxf& d, P o) {
    const double r = 5, w = 80, h = 60;
    const P c[4] = {{o.x + w - r, o.y + r},
                    {o.x + w - r, o.y + h - r},
                    {o.x + r, o.y + h - r},
                    {o.x + r, o.y + r}};
    for (int k = 0; k < 4; ++k) {
        const double a = 270 + 90.0 * k;
        d.Arc(c[k], r, a, a + 90);
        d.Line(At(c[k], r, a + 90), At(c[(k + 1) % 4], r, a + 90));
    }
}
void BulgedPlate(Dxf& d, P o) {
    d.LwPolyline({o, {o.x + 80, o.y}, {o.x + 80, o.y + 60}, {o.x, o.y + 60}}, {0, 0.25, 0, 0.25},
                 true);
}
void Hexagon(Dxf& d, P o) {
    std::vector<P> v;
    for (int k = 0; k < 6; ++k)
        v.push_back(At(P{o.x + 40, o.y + 30}, 40, 60.0 * k));
    d.Polyline(v, true);
}
void OpenClosedByArc(Dxf& d, P o) {
    d.LwPolyline({{o.x + 50, o.y + 60}, {o.x, o.y + 60}, o, {o.x + 50, o.y}}, {}, false);
    d.Arc(P{o.x + 50, o.y + 30}, 30, 270, 90);
}
void Disc(Dxf& d, P o) {
    d.Circle(P{o.x + 40, o.y + 30}, 35);
}

// Up to four holes in the 80 x 60 part at o; the first hole may hold an island.
void Holes(Dxf& d, std::mt19937& random, P o, int count, bool island) {
    const P slots[4] = {
        {o.x + 20, o.y + 20}, {o.x + 50, o.y + 20}, {o.x + 20, o.y + 40}, {o.x + 50, o.y + 40}};
    for (int h = 0; h < count; ++h) {
        const P c = slots[h];
        switch ((h + static_cast<int>(random() % 3)) % 3) {
        case 0:
            d.Circle(c, 6);
            break;
        case 1:
            Square(d, random, P{c.x - 7, c.y - 7}, 14);
            if (island && h == 0)
                d.Circle(c, 3);
            break;
        default:
            d.LwPolyline(
                {{c.x - 6, c.y - 3}, {c.x + 6, c.y - 3}, {c.x + 6, c.y + 3}, {c.x - 6, c.y + 3}},
                {0, 1, 0, 1}, true);
            break;
        }
    }
}

using Outline = std::function<void(Dxf&, P)>;
const Outline kOutlines[] = {RoundedRectangle, BulgedPlate, Hexagon, OpenClosedByArc, Disc};

void Sheet(Dxf& d, std::mt19937& random, int32_t n) {
    for (int k = 0; k < 5; ++k) { // one block per outline kind, holes included
        d.BeginBlock("PART" + std::to_string(k));
        kOutlines[k](d, P{-40, -30});
        Holes(d, random, P{-40, -30}, 2, false);
        d.EndBlock();
    }
    const auto columns = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(n))));
    for (int32_t i = 0; i < n; ++i) {
        const P o{120.0 * (i % columns), 120.0 * (i / columns)};
        const int kind = static_cast<int>(random() % 5);
        if (random() % 5 == 0) {
            const double angles[] = {0, 30, 90, 180, 270};
            d.Insert("PART" + std::to_string(kind), P{o.x + 40, o.y + 30}, angles[random() % 5]);
            continue;
        }
        kOutlines[kind](d, o);
        Holes(d, random, o, static_cast<int>(random() % 5), random() % 4 == 0);
    }
}

void Squares(Dxf& d, std::mt19937& random, int32_t n) {
    const auto columns = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(n))));
    for (int32_t i = 0; i < n; ++i)
        Square(d, random, P{20.0 * (i % columns), 20.0 * (i / columns)}, 10);
}

void Plates(Dxf& d, std::mt19937&, int32_t n) {
    const auto columns = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(n))));
    for (int32_t i = 0; i < n; ++i) {
        const P o{100.0 * (i % columns), 100.0 * (i / columns)};
        d.LwPolyline({o, {o.x + 90, o.y}, {o.x + 90, o.y + 60}, {o.x, o.y + 60}}, {}, true);
        for (int h = 0; h < 8; ++h)
            d.Circle(P{o.x + 10 + 10 * h, o.y + 30}, 4);
    }
}

void Layers(Dxf& d, std::mt19937&, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        d.layer = "L" + std::to_string(i);
        d.Circle(P{10.0 * (i % 1000), 10.0 * (i / 1000)}, 4);
    }
}

// An open polyline along a wave, closed by one line from its last vertex to its first.
void LongPolyline(Dxf& d, std::mt19937&, int32_t n) {
    std::vector<P> v;
    for (int32_t i = 0; i < n; ++i)
        v.push_back(P{0.01 * i, 1 + std::sin(0.001 * i)});
    v.back().y = -1;
    v.front().y = -1;
    d.LwPolyline(v, {}, false);
    d.Line(v.back(), v.front());
}

void Ring(Dxf& d, std::mt19937& random, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        const P a = At(P{0, 0}, 1000, 360.0 * i / n), b = At(P{0, 0}, 1000, 360.0 * (i + 1) / n);
        if (random() % 2)
            d.Line(a, b);
        else
            d.Line(b, a);
    }
}

// N lines on one segment, half of them reversed: thousands of coincident ends.
void Coincident(Dxf& d, std::mt19937& random, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        if (random() % 2)
            d.Line(P{0, 0}, P{1, 0});
        else
            d.Line(P{1, 0}, P{0, 0});
    }
}

void PlateWithHoles(Dxf& d, std::mt19937&, int32_t n) {
    const auto columns = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(n))));
    const double side = 10.0 * columns + 10;
    d.LwPolyline({{0, 0}, {side, 0}, {side, side}, {0, side}}, {}, true);
    for (int32_t i = 0; i < n; ++i) {
        const P o{10.0 + 10 * (i % columns), 10.0 + 10 * (i / columns)};
        d.LwPolyline({o, {o.x + 5, o.y}, {o.x + 5, o.y + 5}, {o.x, o.y + 5}}, {}, true);
    }
}
} // namespace

bool WriteDrawing(const std::string& kind, int32_t n, uint32_t seed, const std::string& path) {
    using Maker = void (*)(Dxf&, std::mt19937&, int32_t);
    const std::map<std::string, Maker> makers = {
        {"sheet", Sheet},          {"squares", Squares},       {"plates", Plates},
        {"layers", Layers},        {"polyline", LongPolyline}, {"ring", Ring},
        {"holes", PlateWithHoles}, {"coincident", Coincident}};
    const auto maker = makers.find(kind);
    if (maker == makers.end() || n < 1)
        return false;
    std::mt19937 random(seed);
    Dxf d;
    maker->second(d, random, n);
    return d.Write(path, random);
}
