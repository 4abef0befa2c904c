// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "command_features.h"

#include "quillform/settings.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// What a request may set, from its query parameters. Every value is checked
// here (the reader's own settings check for what the reader is told) before
// any process starts; the command line is built from these checked values
// only, never from request text.
struct ReadSettings {
    quillform::Settings settings;
    bool literal = false;    // mode=literal: the reader's own rules; accurate otherwise
    std::string outputUnits; // units=mm|cm|m|in|ft; empty: the drawing's
    // The check's limits: numbers, with "mm" or "in" where a unit may follow.
    std::optional<std::string> thickness, minHole, minWeb, kerf, sheet;
    std::string name = "drawing.dxf"; // shown for the drawing; never a path
};

using QueryParameters = std::multimap<std::string, std::string>;

// Fills settings from the parameters; returns the problem ("distance: ...")
// or an empty string. Names in `extra` are allowed and left to the caller.
std::string ParseReadSettings(const QueryParameters& parameters,
                              const std::vector<std::string>& extra, ReadSettings& settings);

// The command's arguments (after the executable) that apply the settings.
std::vector<std::string> SettingArguments(const ReadSettings& settings,
                                          const CommandFeatures& features);

// A file name safe in Content-Disposition and in zip entries: letters,
// digits, '-', '_' and '.' of the name's last component, at most 80 of them.
std::string SafeStem(const std::string& name);
