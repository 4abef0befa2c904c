// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "drawing_state.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <type_traits>

using namespace quillform;

namespace {
// Counts the layout: bytes of another layout are refused, not misread.
constexpr uint32_t kLayout = 2;

class Writer {
public:
    template <typename T> std::enable_if_t<std::is_arithmetic_v<T>> Put(T value) {
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void Put(const std::string& text) {
        Put<uint64_t>(text.size());
        bytes_ += text;
    }
    template <typename T> void Put(const std::vector<T>& list) {
        Put<uint64_t>(list.size());
        for (const T& item : list)
            Put(item);
    }
    void Put(const Point& p) { Put(p.x), Put(p.y); }
    void Put(const Bounds& b) { Put(b.minX), Put(b.minY), Put(b.maxX), Put(b.maxY); }
    void Put(const Vertex& v) {
        Put(v.x), Put(v.y), Put(v.arc.has_value());
        if (v.arc)
            Put(v.arc->center), Put(v.arc->radius), Put(v.arc->clockwise);
    }
    void Put(const Outline& o) {
        Put(static_cast<int32_t>(o.kind)), Put(o.vertices), Put(o.circle.center);
        Put(o.circle.radius), Put(o.bounds);
    }
    void Put(const Shape& s) { Put(static_cast<const Outline&>(s)), Put(s.holes); }
    void Put(const Layer& l) { Put(l.name), Put(l.bytes), Put(l.shapes); }
    void Put(const Unit& u) { Put(u.code), Put(u.name), Put(u.millimetres); }
    void Put(const Warning& w) {
        Put(w.code), Put(w.layer), Put(w.count), Put(w.message), Put(w.value), Put(w.detail);
    }
    void Put(const OpenChain& c) {
        Put(c.layer), Put(c.vertices), Put(c.edges), Put(c.first), Put(c.last), Put(c.gap);
    }
    void Put(const NearMiss& n) {
        Put<uint64_t>(n.chain), Put<uint64_t>(n.otherChain), Put(n.atLast), Put(n.otherAtLast);
        Put(n.distance);
    }
    void Put(const Ignored& i) { Put(i.type), Put(i.count), Put(i.hint); }
    template <typename T> void Put(const std::optional<T>& value) {
        Put(value.has_value());
        if (value)
            Put(*value);
    }
    void Put(const Finding& f) {
        Put(f.code), Put(static_cast<int32_t>(f.severity)), Put(f.layer), Put(f.part);
        Put(f.location), Put(f.value), Put(f.limit), Put(f.message);
    }

    std::string Bytes() && { return std::move(bytes_); }

private:
    std::string bytes_;
};

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}

    template <typename T> std::enable_if_t<std::is_arithmetic_v<T>> Get(T& value) {
        Need(sizeof value);
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
    }
    void Get(std::string& text) {
        const size_t size = Size();
        text.assign(bytes_, at_, size);
        at_ += size;
    }
    template <typename T> void Get(std::vector<T>& list) {
        list.resize(Size());
        for (T& item : list)
            Get(item);
    }
    void Get(Point& p) { Get(p.x), Get(p.y); }
    void Get(Bounds& b) { Get(b.minX), Get(b.minY), Get(b.maxX), Get(b.maxY); }
    void Get(Vertex& v) {
        bool arc = false;
        Get(v.x), Get(v.y), Get(arc);
        if (arc) {
            v.arc.emplace();
            Get(v.arc->center), Get(v.arc->radius), Get(v.arc->clockwise);
        }
    }
    void Get(Outline& o) {
        int32_t kind = 0;
        Get(kind);
        if (kind != static_cast<int32_t>(OutlineKind::Polygon) &&
            kind != static_cast<int32_t>(OutlineKind::Circle))
            throw std::invalid_argument("not a pickled drawing");
        o.kind = static_cast<OutlineKind>(kind);
        Get(o.vertices), Get(o.circle.center), Get(o.circle.radius), Get(o.bounds);
    }
    void Get(Shape& s) { Get(static_cast<Outline&>(s)), Get(s.holes); }
    void Get(Layer& l) { Get(l.name), Get(l.bytes), Get(l.shapes); }
    void Get(Unit& u) { Get(u.code), Get(u.name), Get(u.millimetres); }
    void Get(Warning& w) {
        Get(w.code), Get(w.layer), Get(w.count), Get(w.message), Get(w.value), Get(w.detail);
    }
    void Get(OpenChain& c) {
        Get(c.layer), Get(c.vertices), Get(c.edges), Get(c.first), Get(c.last), Get(c.gap);
    }
    void Get(NearMiss& n) {
        uint64_t chain = 0, otherChain = 0;
        Get(chain), Get(otherChain), Get(n.atLast), Get(n.otherAtLast), Get(n.distance);
        n.chain = chain;
        n.otherChain = otherChain;
    }
    void Get(Ignored& i) { Get(i.type), Get(i.count), Get(i.hint); }
    template <typename T> void Get(std::optional<T>& value) {
        bool present = false;
        Get(present);
        value.reset();
        if (present)
            Get(value.emplace());
    }
    void Get(Finding& f) {
        int32_t severity = 0;
        Get(f.code), Get(severity), Get(f.layer), Get(f.part);
        if (severity < 0 || severity > static_cast<int32_t>(Severity::Error))
            throw std::invalid_argument("not a pickled drawing");
        f.severity = static_cast<Severity>(severity);
        Get(f.location), Get(f.value), Get(f.limit), Get(f.message);
    }

    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    void Need(size_t size) const {
        if (bytes_.size() - at_ < size)
            throw std::invalid_argument("not a pickled drawing");
    }
    // A count of items: every item takes a byte at least.
    size_t Size() {
        uint64_t size = 0;
        Get(size);
        Need(size);
        return static_cast<size_t>(size);
    }

    const std::string& bytes_;
    size_t at_ = 0;
};
} // namespace

std::string SaveDrawing(const Drawing& d) {
    Writer out;
    out.Put(kLayout);
    out.Put(d.file), out.Put(d.status), out.Put(d.layers), out.Put(d.lengths);
    out.Put(d.bounds), out.Put(d.hasShapes);
    out.Put(d.warnings), out.Put(d.openChains), out.Put(d.nearMisses), out.Put(d.ignored);
    out.Put(d.unit), out.Put(d.findings);
    return std::move(out).Bytes();
}

Drawing LoadDrawing(const std::string& bytes) {
    Reader in(bytes);
    uint32_t layout = 0;
    in.Get(layout);
    if (layout != kLayout)
        throw std::invalid_argument("a drawing pickled by another version of quillform");
    Drawing d;
    in.Get(d.file), in.Get(d.status), in.Get(d.layers), in.Get(d.lengths);
    in.Get(d.bounds), in.Get(d.hasShapes);
    in.Get(d.warnings), in.Get(d.openChains), in.Get(d.nearMisses), in.Get(d.ignored);
    in.Get(d.unit), in.Get(d.findings);
    if (!in.AtEnd())
        throw std::invalid_argument("not a pickled drawing");
    return d;
}
