// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/entity_reader.h"

#include "collector.h"
#include "dxf_parse.h"

bool ReadEntities(const wchar_t* fileName, const TEntityEvents& events) {
    Test_CreationClass collector(events);
    return ParseDxfFile(fileName, collector);
}
