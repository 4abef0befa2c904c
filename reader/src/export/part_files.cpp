// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Cut files on disk: one file, or one DXF per part in a folder, all made as
// temporary files and renamed into place only once every one is complete.
#include "quillform/cut_files.h"

#include "cut_parts.h"
#include "dxf_sheet.h"
#include "part_file_names.h"
#include "staged_file.h"

namespace quillform {
namespace {
namespace fs = std::filesystem;

std::string RefusedInput(const fs::path& target) {
    return "will not write " + target.string() + ": it is one of the input files";
}

std::string FolderProblem(const fs::path& folder) {
    std::error_code failure;
    if (!fs::exists(folder, failure))
        return "the folder " + folder.string() + " does not exist";
    if (!fs::is_directory(folder, failure))
        return folder.string() + " is not a folder";
    return std::string();
}

detail::DxfSheet PartSheet(const detail::CutPart& part, const Unit& unit, bool origin) {
    detail::DxfSheet sheet;
    sheet.parts.push_back(&part);
    sheet.openChains = part.open;
    sheet.bounds = part.bounds;
    sheet.empty = false;
    sheet.unit = unit;
    if (origin)
        sheet.shift = Point{-part.bounds.minX, -part.bounds.minY};
    return sheet;
}

std::vector<fs::path> PartPaths(const detail::CutContent& content, const fs::path& folder,
                                const std::string& stem) {
    std::vector<detail::PartFileName> names;
    for (const detail::CutPart& part : content.parts)
        names.push_back(detail::PartFileName{part.layer->name, part.number});
    std::vector<fs::path> paths;
    for (const std::string& name : detail::PartFileNames(stem, names))
        paths.push_back(folder / fs::u8path(name));
    return paths;
}

// Writes every file or none: false, with the reason, when one fails.
bool WriteAll(const std::vector<fs::path>& targets, const std::vector<std::string>& texts,
              CutFileResult& result) {
    std::vector<detail::StagedFile> staged(targets.size());
    for (size_t k = 0; k < targets.size(); ++k)
        if (!staged[k].Write(targets[k], texts[k], &result.error))
            return false;
    for (detail::StagedFile& file : staged) {
        if (!file.Commit(&result.error))
            return false;
        result.files.push_back(file.Target());
    }
    return true;
}
} // namespace

CutFileResult WriteCutFile(const CutFileResult& made, const fs::path& file,
                           const std::vector<fs::path>& inputs) {
    CutFileResult result = made;
    if (!made.ok)
        return result;
    result.ok = false;
    if (detail::IsInput(file, inputs)) {
        result.error = RefusedInput(file);
        return result;
    }
    result.ok = WriteAll({file}, {made.text}, result);
    return result;
}

CutFileResult WritePartFiles(const Drawing& drawing, const fs::path& folder,
                             const std::vector<fs::path>& inputs, const CutFileOptions& options) {
    CutFileResult result;
    result.error = FolderProblem(folder);
    detail::CutContent content;
    if (!result.error.empty() || !detail::GatherParts(drawing, options.outputUnits,
                                                      options.openChains, content, &result.error))
        return result;
    result.warnings = content.warnings;
    const std::string stem =
        options.stem.empty() ? fs::path(drawing.file).stem().string() : options.stem;
    const std::vector<fs::path> targets = PartPaths(content, folder, stem);
    for (const fs::path& target : targets)
        if (detail::IsInput(target, inputs)) {
            result.error = RefusedInput(target);
            return result;
        }
    std::vector<std::string> texts;
    for (const detail::CutPart& part : content.parts)
        texts.push_back(detail::DxfText(
            PartSheet(part, detail::ContentUnit(content), options.origin), options.keepLayers));
    result.ok = WriteAll(targets, texts, result);
    return result;
}

} // namespace quillform
