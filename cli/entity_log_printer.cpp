// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "entity_log_printer.h"

#include "text_output.h"

#include "quillform/entity_log.h"

#include <cstdio>

namespace {
class TStandardOutputLog : public quillform::EntityLogSink {
public:
    void Append(const std::wstring& line) override { WriteLine(stdout, line); }
};
} // namespace

quillform::EntityEvents EntityLogPrinter() {
    static TStandardOutputLog log;
    return quillform::EntityLogEvents(log);
}
