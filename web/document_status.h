// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

// The reader's status flags of the command's JSON document ("status":
// {"flags": [...]}), found by a SAX pass that keeps nothing else: the
// document of a large drawing is never built in the server's memory.
// Empty (no value) when the text is not a JSON object.
std::optional<std::vector<std::string>> DocumentFlags(const std::string& json);

// The document with its top-level "file" member (the command writes the
// private file's name there) set to `name`, the rest as the command wrote it.
std::string WithFileName(std::string json, const std::string& privateName, const std::string& name);
