// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "command_features.h"
#include "read_settings.h"
#include "worker.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The name the upload has in its private folder: fixed, so that nothing a
// request says becomes part of a path.
extern const char* const kDrawingFile;

// An answer that is not the file: its HTTP status, a stable code, a
// sentence, and the reader's status flags where the read failed.
struct Failure {
    Failure(int status, std::string code, std::string message, std::vector<std::string> flags = {})
        : status(status), code(std::move(code)), message(std::move(message)),
          flags(std::move(flags)) {}
    int status;
    std::string code;
    std::string message;
    std::vector<std::string> flags;
};

struct RunResult {
    RunResult(Failure failure) : failure(std::move(failure)) {}
    RunResult(std::string content, std::string contentType, std::string fileName)
        : content(std::move(content)), contentType(std::move(contentType)),
          fileName(std::move(fileName)) {}
    std::optional<Failure> failure;
    std::string content;
    std::string contentType;
    std::string fileName; // for Content-Disposition; empty for the JSON of a read
};

// json, csv, dxf, cut-svg, geojson, zip.
bool KnownExport(const std::string& format);
bool ExportAvailable(const CommandFeatures& command, const std::string& format);

// Reads the drawing in `folder` with the settings in a worker and gives the
// output in `format`: the JSON document (its "file" the upload's name) or
// the file of an export.
RunResult RunRead(const CommandFeatures& command, const WorkerLimits& limits,
                  const std::filesystem::path& folder, const ReadSettings& settings,
                  const std::string& format);
