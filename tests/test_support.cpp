// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "test_support.h"

#include "quillform/entity_log.h"

std::string TestData(const std::string& name) {
    return std::string(QUILLFORM_TEST_DATA) + "/" + name;
}

std::wstring TestDataWide(const std::string& name) {
    const std::string path = TestData(name);
    return std::wstring(path.begin(), path.end());
}

void EventRecorder::Append(const std::wstring& line) {
    lines.push_back(line);
}

quillform::EntityEvents EventRecorder::Events() {
    return quillform::EntityLogEvents(*this);
}
