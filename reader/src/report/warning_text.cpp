// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "report/warning_text.h"

#include "quillform/names.h"
#include "quillform/number_format.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace quillform::detail {

namespace {
// The sentence for each warning code: "{n}" is the count, "{layer}" the
// layer's name; the second form is used for a count other than one.
struct WarningForm {
    std::string_view code;
    std::string_view one;
    std::string_view many;
};

const std::vector<WarningForm> kForms = {
    {"edgeOnPlane",
     "{n} entity on layer {layer} lies in a plane seen edge-on from the drawing and was left out",
     "{n} entities on layer {layer} lie in a plane seen edge-on from the drawing and were left "
     "out"},
    {"verticalPlane",
     "{n} entity on layer {layer} lies in a vertical plane and was kept as the line a plan view "
     "shows",
     "{n} entities on layer {layer} lie in a vertical plane and were kept as the lines a plan "
     "view shows"},
    {"curveNotFitted",
     "{n} curve on layer {layer} defines no outline (no size, or data that make no curve) and "
     "was left out",
     "{n} curves on layer {layer} define no outline (no size, or data that make no curve) and "
     "were left out"},
    {"meshLeftOut",
     "{n} polygon or polyface mesh on layer {layer} was left out: a mesh is no outline",
     "{n} polygon or polyface meshes on layer {layer} were left out: a mesh is no outline"},
    {"duplicates", "{n} duplicate entity removed on layer {layer}",
     "{n} duplicate entities removed on layer {layer}"},
    {"overlapsMerged",
     "{n} run of overlapping edges on layer {layer} was merged into one edge: {value} drawing "
     "units drawn twice are cut once",
     "{n} runs of overlapping edges on layer {layer} were merged into one edge each: {value} "
     "drawing units drawn twice are cut once"},
    {"degenerateOutlines",
     "{n} outline on layer {layer} encloses no area and is neither a shape nor a hole",
     "{n} outlines on layer {layer} enclose no area and are neither shapes nor holes"},
    {"distanceTooLarge",
     "{detail}: ends far apart may be joined; a distance such as {value} suits it",
     "{detail}: ends far apart may be joined; a distance such as {value} suits it"},
    {"selfInsert", "{n} insert of a block into itself was stopped after one level",
     "{n} inserts of a block into itself were stopped after one level"},
    {"degenerateRadius",
     "a circle or arc on layer {layer} has a radius that is not a positive number and was left "
     "out",
     "{n} circles or arcs on layer {layer} have a radius that is not a positive number and were "
     "left out"},
    {"countLowered", "a count in the file was larger than the items that follow it and was lowered",
     "{n} counts in the file were larger than the items that follow them and were lowered"},
    {"countMismatch",
     "a count in the file was smaller than the items that follow it; all items were kept",
     "{n} counts in the file were smaller than the items that follow them; all items were kept"},
    {"badNumber", "a value that is no number (line {detail}) was read as 0",
     "{n} values that are no numbers were read as 0 (the first on line {detail})"},
    {"unknownUnit", "unknown unit code {detail} ($INSUNITS): the drawing's unit is unknown",
     "unknown unit code {detail} ($INSUNITS): the drawing's unit is unknown"},
    {"unknownLayer", "no layer of the drawing is named {detail}",
     "no layer of the drawing is named {detail}"},
    {"undefinedBlock", "{n} insert of a block the file does not define placed nothing",
     "{n} inserts of blocks the file does not define placed nothing"},
    {"nestingTooDeep", "{n} insert nested deeper than 128 blocks was left out",
     "{n} inserts nested deeper than 128 blocks were left out"},
    {"curveTooComplex",
     "{n} curve on layer {layer} needs more than 100000 edges within the curve tolerance and "
     "was left out",
     "{n} curves on layer {layer} need more than 100000 edges within the curve tolerance and "
     "were left out"},
    {"longLine", "a line longer than 1023 bytes was cut to 1023 bytes",
     "{n} lines longer than 1023 bytes were cut to 1023 bytes"},
    {"utf16", "the file is UTF-16 text; it was read converted to UTF-8",
     "the file is UTF-16 text; it was read converted to UTF-8"},
    {"binaryDxf", "binary DXF is not supported", "binary DXF is not supported"},
    {"expansionLimit", "block inserts would produce more than 1 entity; the read stopped",
     "block inserts would produce more than {n} entities; the read stopped"},
};

void Replace(std::string& text, std::string_view key, const std::string& value) {
    for (size_t at = text.find(key); at != std::string::npos;
         at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
}
} // namespace

std::string WarningText(const quillform::Warning& warning) {
    const auto form = std::find_if(kForms.begin(), kForms.end(),
                                   [&](const WarningForm& f) { return f.code == warning.code; });
    std::string text = form == kForms.end() ? std::string(warning.code) + ": {n}"
                       : warning.count == 1 ? std::string(form->one)
                                            : std::string(form->many);
    Replace(text, "{n}", std::to_string(warning.count));
    Replace(text, "{layer}", warning.layer);
    Replace(text, "{value}", quillform::ToUtf8(quillform::FormatNumber(warning.value)));
    Replace(text, "{detail}", warning.detail);
    return text;
}

void FinishDiagnostics(quillform::Diagnostics& diagnostics) {
    for (quillform::Warning& warning : diagnostics.warnings) {
        warning.layer = quillform::NameToUtf8(warning.layer.c_str());
        warning.message = WarningText(warning);
    }
    for (quillform::OpenChain& chain : diagnostics.openChains)
        chain.layer = quillform::NameToUtf8(chain.layer.c_str());
    for (quillform::EntityNote& note : diagnostics.entityNotes)
        note.layer = quillform::NameToUtf8(note.layer.c_str());
}

} // namespace quillform::detail
