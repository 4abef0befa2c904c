// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/entity_log.h"
#include "quillform/events.h"

#include <string>
#include <vector>

std::string TestData(const std::string& name);
std::wstring TestDataWide(const std::string& name);

// Collects the entity-log line of every event it receives, in order, through
// the reader's own entity-log events.
struct EventRecorder : quillform::EntityLogSink {
    std::vector<std::wstring> lines;
    void Append(const std::wstring& line) override;
    quillform::EntityEvents Events();
};
