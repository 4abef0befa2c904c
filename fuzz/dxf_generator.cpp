// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "dxf_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace quillform::fuzz {

uint64_t TByteReader::Number(int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= uint64_t{Byte()} << (8 * i);
    return value;
}

namespace {
constexpr double kPi = 3.14159265358979323846;
// Counts that claim the whole file, or one more than an int holds.
const int64_t kCountClaims[] = {0, 1, 2, 3, 1 << 20, 1073741824, 2147483647, -1};
const char* const kLayers[] = {"0", "A", "B"};
// Spacing of array cells, as a share of the content's size.
const double kSpacings[] = {0, 1.5, -1.5, 1e-9, 1e6, 2.0};
const double kScales[] = {1, -1, 2, 0.5, 1e-6};
const double kRotations[] = {0, 90, 45, 180, 1e-7};
// Most blocks nested in one chain; arrays take at most this many rows and columns.
constexpr int kMaxDepth = 12;
constexpr int kMaxCells = 16;

class TDxfText {
public:
    void Group(int code, const std::string& value) {
        char head[16];
        std::snprintf(head, sizeof head, "%3d\n", code);
        text_ += head;
        text_ += value;
        text_ += '\n';
    }
    void Group(int code, double value) {
        char number[40];
        std::snprintf(number, sizeof number, "%.17g", value);
        Group(code, std::string(number));
    }
    void Group(int code, int64_t value) { Group(code, std::to_string(value)); }
    void Point(int code, double x, double y) {
        Group(code, x);
        Group(code + 10, y);
        Group(code + 20, 0.0);
    }
    void Entity(const char* type, const char* layer) {
        Group(0, std::string(type));
        Group(8, std::string(layer));
    }
    size_t Size() const { return text_.size(); }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

class TGenerator {
public:
    TGenerator(TByteReader& input, size_t maxBytes) : in_(input), max_(maxBytes) {}

    std::string Drawing() {
        for (int op = 0; op < 64 && !in_.Empty() && Room(); ++op)
            Step();
        TDxfText whole;
        whole.Group(0, std::string("SECTION"));
        whole.Group(2, std::string("BLOCKS"));
        std::string text = whole.Text() + blocks_.Text();
        TDxfText tail;
        tail.Group(0, std::string("ENDSEC"));
        tail.Group(0, std::string("SECTION"));
        tail.Group(2, std::string("ENTITIES"));
        text += tail.Text() + entities_.Text();
        TDxfText end;
        end.Group(0, std::string("ENDSEC"));
        end.Group(0, std::string("EOF"));
        return text + end.Text();
    }

private:
    bool Room() const { return blocks_.Size() + entities_.Size() < max_; }
    const char* Layer() { return kLayers[in_.Pick(3)]; }
    double Coordinate() { return static_cast<int16_t>(in_.Number(2)) / 16.0; }
    double Size() { return 1 + in_.Byte(); }

    void Step() {
        switch (in_.Pick(6)) {
        case 0:
            NestedBlocks();
            break;
        case 1:
            CountedPolyline(entities_, Coordinate(), Coordinate());
            break;
        case 2:
            CountedSpline(entities_);
            break;
        case 3:
            Flood();
            break;
        case 4:
            Ellipse(entities_);
            break;
        default:
            Insert(entities_, "N0_0", Size());
            break;
        }
    }

    void Square(TDxfText& out, double x, double y, double size) {
        out.Entity("LWPOLYLINE", Layer());
        out.Group(90, int64_t{4});
        out.Group(70, int64_t{1});
        const double corners[][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (const auto& c : corners) {
            out.Group(10, x + c[0] * size);
            out.Group(20, y + c[1] * size);
        }
    }

    void Circle(TDxfText& out, double x, double y, double radius) {
        out.Entity("CIRCLE", Layer());
        out.Point(10, x, y);
        out.Group(40, radius);
    }

    // The content of a block: a square, a circle inside it, or a spline.
    void Content(TDxfText& out, double size) {
        const size_t kind = in_.Pick(4);
        if (kind == 0 || kind == 3)
            Square(out, 0, 0, size);
        if (kind == 1 || kind == 3)
            Circle(out, size / 2, size / 2, size / 4);
        if (kind == 2)
            CountedSpline(out);
    }

    // An insert of `name`, or an array of it (a MINSERT) when the input says so.
    void Insert(TDxfText& out, const std::string& name, double size) {
        out.Entity("INSERT", Layer());
        out.Group(2, name);
        out.Point(10, Coordinate(), Coordinate());
        out.Group(41, kScales[in_.Pick(5)]);
        out.Group(42, kScales[in_.Pick(5)]);
        out.Group(50, kRotations[in_.Pick(5)]);
        const uint8_t array = in_.Byte();
        if (array & 1) {
            out.Group(70, static_cast<int64_t>(1 + in_.Pick(kMaxCells)));
            out.Group(71, static_cast<int64_t>(1 + in_.Pick(kMaxCells)));
            out.Group(44, kSpacings[in_.Pick(6)] * size);
            out.Group(45, kSpacings[in_.Pick(6)] * size);
        }
    }

    // Blocks N<k>_0 .. N<k>_<depth-1>, each placing the one before; the last is
    // placed in the drawing. Some place themselves or a block nobody defines.
    void NestedBlocks() {
        const int chain = chains_++;
        const int depth = 1 + static_cast<int>(in_.Pick(kMaxDepth));
        const double size = Size();
        for (int level = 0; level < depth && Room(); ++level) {
            const std::string name = "N" + std::to_string(chain) + "_" + std::to_string(level);
            blocks_.Entity("BLOCK", "0");
            blocks_.Group(2, name);
            blocks_.Group(70, int64_t{0});
            blocks_.Point(10, 0, 0);
            blocks_.Group(3, name);
            if (level == 0 || in_.Pick(4) == 0)
                Content(blocks_, size);
            if (level > 0) {
                const size_t target = in_.Pick(16);
                const std::string placed =
                    target == 0   ? name
                    : target == 1 ? std::string("UNDEFINED")
                                  : "N" + std::to_string(chain) + "_" + std::to_string(level - 1);
                Insert(blocks_, placed, size * (level + 1));
            }
            blocks_.Entity("ENDBLK", "0");
        }
        Insert(entities_, "N" + std::to_string(chain) + "_" + std::to_string(depth - 1), size);
    }

    int64_t Claim(int64_t actual) {
        const size_t how = in_.Pick(4);
        if (how == 0)
            return actual;
        if (how == 1)
            return actual + static_cast<int8_t>(in_.Byte());
        return kCountClaims[in_.Pick(8)];
    }

    // A closed star of up to 4000 vertices whose group 90 may not match.
    void CountedPolyline(TDxfText& out, double x, double y) {
        const int64_t count = static_cast<int64_t>(in_.Number(2) % 4001);
        const double radius = Size();
        const bool bulges = in_.Byte() & 1;
        out.Entity("LWPOLYLINE", Layer());
        out.Group(90, Claim(count));
        out.Group(70, int64_t{in_.Byte() & 1});
        for (int64_t i = 0; i < count && Room(); ++i) {
            const double angle = 2 * kPi * static_cast<double>(i) / static_cast<double>(count);
            const double r = radius * (i % 2 ? 0.5 : 1);
            out.Group(10, x + r * std::cos(angle));
            out.Group(20, y + r * std::sin(angle));
            if (bulges)
                out.Group(42, (static_cast<int8_t>(in_.Byte())) / 64.0);
        }
    }

    // A spline of degree 1 to 5 with up to 4096 control points zigzagging at
    // a scale of the input's choosing, clamped uniform knots, sometimes
    // weights; its groups 72 and 73 may not match what follows.
    void CountedSpline(TDxfText& out) {
        const int degree = 1 + static_cast<int>(in_.Pick(5));
        const int64_t points = static_cast<int64_t>(in_.Number(2) % 4097);
        const double scale = std::ldexp(1.0, static_cast<int>(in_.Pick(48)) - 16);
        const uint8_t flags = in_.Byte();
        const int64_t knots = points + degree + 1;
        out.Entity("SPLINE", Layer());
        out.Group(70, int64_t{flags & 7});
        out.Group(71, int64_t{degree});
        out.Group(72, Claim(knots));
        out.Group(73, Claim(points));
        for (int64_t k = 0; k < knots && Room(); ++k) {
            const int64_t inner = std::min(std::max<int64_t>(k - degree, 0), points - degree);
            out.Group(40, static_cast<double>(inner));
        }
        if (flags & 4)
            for (int64_t i = 0; i < points && Room(); ++i)
                out.Group(41, 0.25 + in_.Pick(8));
        for (int64_t i = 0; i < points && Room(); ++i)
            out.Point(10, static_cast<double>(i) * scale,
                      (i % 2 ? 1 : -1) * scale * (1 + in_.Pick(4)));
    }

    void Ellipse(TDxfText& out) {
        out.Entity("ELLIPSE", Layer());
        out.Point(10, Coordinate(), Coordinate());
        out.Point(11, Size(), Coordinate());
        out.Group(40, (1 + in_.Pick(255)) / 256.0);
        out.Group(41, in_.Pick(8) * kPi / 4);
        out.Group(42, 2 * kPi);
    }

    // Many entities of one kind: on a grid, all on one place, or lines in a
    // closed zigzag chain.
    void Flood() {
        const size_t kind = in_.Pick(4);
        const size_t layout = in_.Pick(3);
        const int64_t count = static_cast<int64_t>(in_.Number(2));
        const double size = Size();
        for (int64_t i = 0; i < count && Room(); ++i) {
            const double x = layout == 1 ? 0 : static_cast<double>(i % 100) * size * 2;
            const double y = layout == 1 ? 0 : static_cast<double>(i / 100) * size * 2;
            if (layout == 2 || kind == 0)
                ChainLine(i, count, size);
            else if (kind == 1)
                Circle(entities_, x, y, size / 2);
            else if (kind == 2)
                Arc(x, y, size);
            else
                Square(entities_, x, y, size);
        }
    }

    // Line i of a closed zigzag of `count` lines.
    void ChainLine(int64_t i, int64_t count, double size) {
        auto at = [&](int64_t k) {
            const double step = 2 * kPi / static_cast<double>(count);
            const double r = size * 100 * (k % 2 ? 0.9 : 1);
            return std::pair{r * std::cos(step * static_cast<double>(k)),
                             r * std::sin(step * static_cast<double>(k))};
        };
        const auto [x1, y1] = at(i);
        const auto [x2, y2] = at((i + 1) % count);
        entities_.Entity("LINE", Layer());
        entities_.Point(10, x1, y1);
        entities_.Point(11, x2, y2);
    }

    void Arc(double x, double y, double size) {
        entities_.Entity("ARC", Layer());
        entities_.Point(10, x, y);
        entities_.Group(40, size / 2);
        entities_.Group(50, in_.Pick(8) * 45.0);
        entities_.Group(51, in_.Pick(8) * 45.0);
    }

    TByteReader& in_;
    size_t max_;
    TDxfText blocks_, entities_;
    int chains_ = 0;
};
} // namespace

std::string GenerateDrawing(TByteReader& input, size_t maxBytes) {
    return TGenerator(input, maxBytes).Drawing();
}

} // namespace quillform::fuzz
