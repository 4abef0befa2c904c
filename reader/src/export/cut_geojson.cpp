// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// GeoJSON of the parts (RFC 7946): one Polygon Feature per part, exterior
// ring counter-clockwise and holes clockwise, arcs as points.
#include "quillform/cut_files.h"

#include "arc_points.h"
#include "contour_geometry.h"
#include "cut_parts.h"
#include "dxf_text_writer.h"
#include "geojson_properties.h"

#include "quillform/settings.h"

namespace quillform {
namespace {
// A ring closes on its first point and needs three others.
constexpr size_t kFewestRingPoints = 4;

// The Features are written as text: the coordinates are most of the file,
// and nlohmann's values would hold each point as an array of its own.
class FeatureWriter {
public:
    FeatureWriter(double tolerance, std::vector<Warning>& warnings)
        : tolerance_(tolerance), warnings_(warnings) {}

    // Appends the part's Feature (after a comma when it is not the first),
    // or warns why it is left out.
    void Feature(const detail::CutPart& part, std::string& features) {
        if (!part.outline)
            return Warn(part, "part-open", " has an open outline: left out of the GeoJSON.");
        std::string rings;
        if (!detail::EnclosesArea(*part.outline) || !Ring(*part.outline, true, rings))
            return Warn(part, "part-degenerate", " encloses no area: left out of the GeoJSON.");
        const Bounds box = detail::ExactBounds(*part.outline);
        for (const Outline* hole : part.holes) {
            // A polygon's holes lie inside it; the literal reader's boxes may
            // file as a hole a contour that crosses the outline.
            if (!detail::Within(detail::ExactBounds(*hole), box))
                return Warn(part, "hole-outside",
                            " has a hole that reaches out of its outline: left out of the "
                            "GeoJSON.");
            if (!detail::EnclosesArea(*hole) || !Ring(*hole, false, rings))
                Warn(part, "hole-degenerate",
                     " has a hole that encloses no area: the hole is left out of the GeoJSON.");
        }
        if (!features.empty())
            features += ",";
        features += "{\"type\":\"Feature\",\"properties\":" + detail::PartProperties(part).dump() +
                    ",\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[" + rings + "]}}";
    }

    bool Coarse() const { return coarse_; }

private:
    bool Ring(const Outline& outline, bool counterClockwise, std::string& rings) {
        const std::vector<Point> points =
            detail::RingPoints(outline, counterClockwise, tolerance_, &coarse_);
        if (points.size() < kFewestRingPoints)
            return false;
        rings += rings.empty() ? "[" : ",[";
        for (size_t k = 0; k < points.size(); ++k) {
            rings += k ? ",[" : "[";
            detail::AppendShortestReal(rings, points[k].x);
            rings += ',';
            detail::AppendShortestReal(rings, points[k].y);
            rings += ']';
        }
        rings += "]";
        return true;
    }

    void Warn(const detail::CutPart& part, const std::string& code, const std::string& what) {
        warnings_.push_back(
            Warning{code, part.layer->name, 1, detail::PartName(part) + what, 0, {}});
    }

    double tolerance_;
    std::vector<Warning>& warnings_;
    bool coarse_ = false;
};

double Tolerance(const CutFileOptions& options, const Unit& unit) {
    Settings settings;
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
    std::string features;
    for (const detail::CutPart& part : content.parts)
        writer.Feature(part, features);
    if (writer.Coarse())
        result.warnings.push_back(Warning{
            "curve-tolerance-coarse",
            "",
            1,
            "Some arcs would need more than 65536 points for the curve tolerance: they keep "
            "their shape less closely.",
            0,
            {}});
    // Plain lengths in the drawing's unit: no coordinate reference system.
    result.text = "{\"type\":\"FeatureCollection\",\"units\":" + nlohmann::json(unit.name).dump() +
                  ",\"features\":[" + features + "]}\n";
    result.ok = true;
    return result;
}

} // namespace quillform
