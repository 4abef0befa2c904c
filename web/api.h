// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "command_features.h"
#include "worker.h"
#include "worker_slots.h"

#include <httplib.h>

#include <cstdint>
#include <filesystem>

struct ServerSettings {
    CommandFeatures command;
    WorkerLimits limits;
    int64_t maxUpload = 50 << 20;
    std::filesystem::path folder; // where each request makes its private folder
};

// The page and the API on `server`: GET /, its script and style, GET
// /api/health, POST /api/read and POST /api/export; every answer carries the
// security headers and every error is JSON {"error", "code"}.
void AddRoutes(httplib::Server& server, const ServerSettings& settings, WorkerSlots& slots);
