// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// GeoJSON of the parts (RFC 7946): one Polygon Feature per part, exterior
// ring counter-clockwise and holes clockwise, arcs as points.
#include "quillform/cut_files.h"

#include "arc_points.h"
#include "contour_geometry.h"
#include "cut_parts.h"
#include "geojson_properties.h"

#include "quillform/read_settings.h"

namespace quillform {
namespace {
using Json = nlohmann::ordered_json;

// A ring closes on its first point and needs three others.
constexpr size_t kFewestRingPoints = 4;
class FeatureWriter {
public:
    FeatureWriter(double tolerance, std::vector<Warning>& warnings)
        : tolerance_(tolerance), warnings_(warnings) {}

    // The part's Feature, or null when it has no closed outline with area.
    Json Feature(const detail::CutPart& part) {
        if (!part.outline)
            return LeftOut(part, "part-open", " has an open outline: left out of the GeoJSON.");
        Json rings = Json::array();
        if (!detail::EnclosesArea(*part.outline) || !Ring(*part.outline, true, rings))
            return LeftOut(part, "part-degenerate", " encloses no area: left out of the GeoJSON.");
        const Bounds box = detail::ExactBounds(*part.outline);
        for (const Outline* hole : part.holes) {
            // A polygon's holes lie inside it; the literal reader's boxes may
            // file as a hole a contour that crosses the outline.
            if (!detail::Within(detail::ExactBounds(*hole), box))
                return LeftOut(part, "hole-outside",
                               " has a hole that reaches out of its outline: left out of the "
                               "GeoJSON.");
            if (!detail::EnclosesArea(*hole) || !Ring(*hole, false, rings))
                Warn(part, "hole-degenerate",
                     " has a hole that encloses no area: the hole is left out of the GeoJSON.");
        }
        Json geometry = {{"type", "Polygon"}, {"coordinates", std::move(rings)}};
        return Json{{"type", "Feature"},
                    {"properties", detail::PartProperties(part)},
                    {"geometry", std::move(geometry)}};
    }

    bool Coarse() const { return coarse_; }

private:
    bool Ring(const Outline& outline, bool counterClockwise, Json& rings) {
        const std::vector<Point> points =
            detail::RingPoints(outline, counterClockwise, tolerance_, &coarse_);
        if (points.size() < kFewestRingPoints)
            return false;
        Json ring = Json::array();
        for (const Point& p : points)
            ring.push_back(Json::array({p.x, p.y}));
        rings.push_back(std::move(ring));
        return true;
    }

    Json LeftOut(const detail::CutPart& part, const std::string& code, const std::string& what) {
        Warn(part, code, what);
        return Json();
    }

    void Warn(const detail::CutPart& part, const std::string& code, const std::string& what) {
        warnings_.push_back(Warning{code, part.layer->name, 1, detail::PartName(part) + what});
    }

    double tolerance_;
    std::vector<Warning>& warnings_;
    bool coarse_ = false;
};

double Tolerance(const CutFileOptions& options, const Unit& unit) {
    TReadSettings settings;
    settings.curveTolerance = options.curveTolerance;
    return EffectiveCurveTolerance(settings, unit.millimetres);
}
} // namespace

CutFileResult CutGeoJson(const Drawing& drawing, const CutFileOptions& options) {
    CutFileResult result;
    detail::CutContent content;
    if (!detail::GatherParts(drawing, options.outputUnits, false, content, &result.error))
        return result;
    result.warnings = std::move(content.warnings);
    const Unit& unit = detail::ContentUnit(content);
    FeatureWriter writer(Tolerance(options, unit), result.warnings);
    Json features = Json::array();
    for (const detail::CutPart& part : content.parts) {
        Json feature = writer.Feature(part);
        if (!feature.is_null())
            features.push_back(std::move(feature));
    }
    if (writer.Coarse())
        result.warnings.push_back(Warning{
            "curve-tolerance-coarse", "", 1,
            "Some arcs would need more than 65536 points for the curve tolerance: they keep "
            "their shape less closely."});
    // Plain lengths in the drawing's unit: no coordinate reference system.
    const Json collection = {
        {"type", "FeatureCollection"}, {"units", unit.name}, {"features", std::move(features)}};
    result.text = collection.dump() + "\n";
    result.ok = true;
    return result;
}

} // namespace quillform
