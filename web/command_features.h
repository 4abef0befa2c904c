// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <set>
#include <string>

// What the quillform command the server runs can do, as its --help says:
// the page offers only what it can, and a newer command brings its new
// output formats to the page without a change here.
struct CommandFeatures {
    std::string path;              // the executable
    std::string version;           // its --version line
    std::set<std::string> formats; // of --format
    bool literal = false;          // --literal: the reader's own rules (accurate by default)
    bool accurate = false;         // --accurate
    bool check = false;            // --check with its limits
    bool splitParts = false;       // --split-parts
};

// Runs `path --version` and `path --help`; on failure returns false with the reason.
bool ProbeCommand(const std::string& path, CommandFeatures& features, std::string& error);

// The quillform beside this program (installed) or in the build tree's cli/.
std::string DefaultCommandPath();
